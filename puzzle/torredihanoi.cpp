#include "torredihanoi.h"

int ndischi = 21;

void muovidisco(pila from, pila to) {
    int d = leggipila(from);
    inpila(d, to);
    fuoripila(from);
}

namespace {

// The classic recursion, for n >= 1: one call per move.
void risolvi(int n, pila from, pila to, pila via) {
    if (n == 1) {
        muovidisco(from, to);
        return;
    }
    risolvi(n - 1, from, via, to);
    muovidisco(from, to);
    risolvi(n - 1, via, to, from);
}

} // namespace

void torredihanoi(int n, pila from, pila to, pila via) {
    if (n >= 1) {
        risolvi(n, from, to, via);
    }
}
