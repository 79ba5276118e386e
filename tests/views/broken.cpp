// A program for the debugger views' tests: structures too long to show whole, and structures
// broken on purpose, as a student's exercise may leave them, each in a global that the tests print
// where the program stops, in guarda(). (Whole ones are printed in the programs themselves.)
#include "binalberorand.h"
#include "pila.h"

#include <array>
#include <cstdint>
#include <initializer_list>

// In ottimizzato.cpp, compiled optimised: where it calls fermati(), T is needed no more, and a
// debugger stopped there finds T optimised out. Returns T's left child.
BINALBERO ottimizzato(BINALBERO T);

namespace {

pila pila_di(int n) {
    pila S = creapila();
    for (int i = 1; i <= n; ++i) {
        inpila(i, S);
    }
    return S;
}

// A chain of n nodes, each the right child of the one before, as sorted keys make a search tree.
BINALBERO catena(int n) {
    BINALBERO T = CREABINALBERO();
    for (int i = n; i > 0; --i) {
        BINALBERO sopra = CREABINALBERO();
        CONSTRBINALBERO(&sopra, T);
        SCRIVINODO(i, sopra);
        T = sopra;
    }
    return T;
}

} // namespace

// The broken ones: the last cell's succ leads back to the second; the second cell's pred is null;
// the second cell's succ is an address that cannot be read; a handle to memory that holds no list;
// the root's right child is its own padre; the root's left child is its right child too; a leaf's
// right child is the root; the root's left child cannot be read.
pila lunga, a_meta, senza_pred, illeggibile, vuota;
lista estranea, nessuna;
posizione cima;
BINALBERO padre_sbagliato, doppio, ciclo, figlio_illeggibile, catena_1000, catena_1001, nessuno;
NODO* nodo_sbagliato;
std::array<std::uintptr_t, 3> non_una_lista{16, 7, 32};

// Where the debugger stops.
void guarda(cella& cella_in_cima) {
    cima = &cella_in_cima;
}

int main() {
    lunga = pila_di(1001);
    a_meta = pila_di(4);
    ultimolista(a_meta)->succ = succlista(primolista(a_meta));
    senza_pred = pila_di(4);
    succlista(primolista(senza_pred))->pred = nullptr;
    illeggibile = pila_di(4);
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast,performance-no-int-to-ptr)
    succlista(primolista(illeggibile))->succ = reinterpret_cast<cella*>(std::uintptr_t{16});
    vuota = creapila();
    estranea = static_cast<lista>(static_cast<void*>(non_una_lista.data()));
    for (BINALBERO* T : {&padre_sbagliato, &doppio, &ciclo, &figlio_illeggibile}) {
        INITBINALBERORAND(1, T);
    }
    nodo_sbagliato = padre_sbagliato;
    FIGLIODESTRO(padre_sbagliato)->padre = FIGLIODESTRO(padre_sbagliato);
    doppio->destro = doppio->sinistro;
    ciclo->sinistro->destro = ciclo;
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast,performance-no-int-to-ptr)
    figlio_illeggibile->sinistro = reinterpret_cast<NODO*>(std::uintptr_t{16});
    catena_1000 = catena(1000);
    catena_1001 = catena(1001);
    guarda(*ultimolista(a_meta));
    return BINALBEROVUOTO(ottimizzato(padre_sbagliato));
}
