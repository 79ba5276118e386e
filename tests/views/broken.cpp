// A program for the debugger views' tests: a stack too long to show whole, and stacks and trees
// broken on purpose, each handed to guarda(), where the tests stop to print them. (Whole ones are
// printed in the programs themselves.)
#include "binalberorand.h"
#include "pila.h"

#include <cstdint>

namespace {

// Where the debugger stops; its arguments are what it prints. Returns the long stack's top.
int guarda(pila lunga, [[maybe_unused]] pila a_meta, [[maybe_unused]] pila senza_pred,
           [[maybe_unused]] pila illeggibile, [[maybe_unused]] BINALBERO padre_sbagliato,
           [[maybe_unused]] BINALBERO doppio) {
    return leggipila(lunga);
}

pila pila_di(int n) {
    pila S = creapila();
    for (int i = 1; i <= n; ++i) {
        inpila(i, S);
    }
    return S;
}

} // namespace

// The broken ones: the last cell's succ leads back to the second; the third cell's pred is null;
// the second cell's succ is an address that cannot be read; the root's right child is its own
// padre; the root's left child is its right child too.
int main() {
    const pila a_meta = pila_di(4);
    ultimolista(a_meta)->succ = succlista(primolista(a_meta));
    const pila senza_pred = pila_di(4);
    succlista(succlista(primolista(senza_pred)))->pred = nullptr;
    const pila illeggibile = pila_di(4);
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast,performance-no-int-to-ptr)
    succlista(primolista(illeggibile))->succ = reinterpret_cast<cella*>(std::uintptr_t{16});
    BINALBERO padre_sbagliato = CREABINALBERO();
    INITBINALBERORAND(1, &padre_sbagliato);
    FIGLIODESTRO(padre_sbagliato)->padre = FIGLIODESTRO(padre_sbagliato);
    BINALBERO doppio = CREABINALBERO();
    INITBINALBERORAND(1, &doppio);
    doppio->destro = doppio->sinistro;
    guarda(pila_di(1001), a_meta, senza_pred, illeggibile, padre_sbagliato, doppio);
}
