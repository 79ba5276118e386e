// A program for the debugger views' tests: structures broken on purpose, as a student's exercise
// may leave them, and a student's handles, each in a global that the tests print where the program
// stops, in guarda(). (Whole ones are printed in the programs themselves.)
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

// A student's append, which forgets to make the new cell the sentinel's pred.
void accoda(int x, lista L) {
    auto* c = new cella{L->pred, x, L};
    L->pred->succ = c;
}

} // namespace

// The broken ones: the last cell's succ leads back to the second; the last cell is not the
// sentinel's pred; the second cell's succ is an address that cannot be read; a handle to memory
// that holds no list; the root's right child is its own padre; the root's left child is its right
// child too; a leaf's right child is the root; the root's left child cannot be read.
pila a_meta, senza_ultimo, illeggibile, vuota;
lista estranea, nessuna;
posizione cima;
BINALBERO padre_sbagliato, doppio, ciclo, figlio_illeggibile, nessuno;
NODO* nodo_sbagliato;
std::array<std::uintptr_t, 3> non_una_lista{16, 7, 32};
// A student's handles: a list kept in a cella *, as auto keeps it where the compiler forgets that
// crealista returns a lista (GCC does), and positions in a list.
cella* A = crealista();
posizione dove = A;
lista L;
cella* B;
posizione p;

// Where the debugger stops, with a cell and a list as a student's function takes them, and a
// position in a list that only its caller holds.
void guarda(cella& cella_in_cima, const lista& R, posizione del_chiamante) {
    cima = R != nullptr ? &cella_in_cima : del_chiamante;
}

int main() {
    a_meta = pila_di(4);
    ultimolista(a_meta)->succ = succlista(primolista(a_meta));
    senza_ultimo = pila_di(2);
    accoda(3, senza_ultimo);
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
    inslista(7, &dove);
    L = pila_di(3);
    B = primolista(L);
    p = succlista(B);
    lista nel_main = pila_di(1);
    guarda(*ultimolista(a_meta), L, primolista(nel_main));
    return BINALBEROVUOTO(ottimizzato(padre_sbagliato));
}
