#include "torredihanoi.h"

int ndischi = 21;

void muovidisco(pila from, pila to) {
    int d = leggipila(from);
    inpila(d, to);
    fuoripila(from);
}

void torredihanoi(int n, pila from, pila to, pila via) {
    if (n < 1) {
        return;
    }
    // One disk is a single move; recursing down to n == 0 would double the calls for nothing.
    if (n > 1) {
        torredihanoi(n - 1, from, via, to);
    }
    muovidisco(from, to);
    if (n > 1) {
        torredihanoi(n - 1, via, to, from);
    }
}
