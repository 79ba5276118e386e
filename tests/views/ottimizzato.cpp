#include "views/ottimizzato.h"

[[gnu::noinline]] void fermati() {
    // An empty statement the optimiser keeps, so that the call is made.
    asm volatile("");
}

BINALBERO ottimizzato(BINALBERO T) {
    BINALBERO sinistro = FIGLIOSINISTRO(T);
    fermati();
    return sinistro;
}
