#include "binalbero.h"

namespace {

// Where the debugger stops.
[[gnu::noinline]] void fermati() {
    // An empty statement the optimiser keeps, so that the call is made.
    asm volatile("");
}

} // namespace

BINALBERO ottimizzato(BINALBERO T) {
    BINALBERO sinistro = FIGLIOSINISTRO(T);
    fermati();
    return sinistro;
}
