#include "ESERCIZIO.h"

namespace {

// a + b modulo 2^32, as the 32-bit machine adds, without the undefined behaviour of an int
// overflow.
int somma(int a, int b) {
    return static_cast<int>(static_cast<unsigned>(a) + static_cast<unsigned>(b));
}

} // namespace

void AGGIUNGINODO(NODO* u, BINALBERO T, int s) {
    if (SINISTROVUOTO(u) == 1) {
        BINALBERO n = CREABINALBERO();
        CONSTRBINALBERO(&n, CREABINALBERO());
        u->sinistro = n;
        n->padre = u;
        SCRIVINODO(s, n);
        return;
    }
    for (NODO* c = u->sinistro; c != nullptr; c = c->destro) {
        AGGIUNGINODO(c, T, somma(LEGGINODO(u), s));
    }
}
