#include "torredihanoi.h"

int ndischi = 21;

void muovidisco(pila from, pila to) {
    int d = leggipila(from);
    inpila(d, to);
    fuoripila(from);
}

// The classic recursion: the n - 1 disks above the largest go to the spare peg, the largest to
// its destination, and the n - 1 onto it. One call per move.
void torredihanoi(int n, pila from, pila to, pila via) {
    if (n < 1) {
        return;
    }
    if (n == 1) {
        muovidisco(from, to);
        return;
    }
    torredihanoi(n - 1, from, via, to);
    muovidisco(from, to);
    torredihanoi(n - 1, via, to, from);
}
