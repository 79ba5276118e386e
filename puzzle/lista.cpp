#include "lista.h"

#include <cstdlib>
#include <new>

namespace {

// A new cell from the heap, its fields for the caller to set, or std::bad_alloc, as new would
// throw, when the heap is exhausted. Cells come from malloc and go back with free: the solver
// makes one allocation and one release per move, and operator new would add a call layer to each.
cella* nuova_cella() {
    void* memoria = std::malloc(sizeof(cella));
    if (memoria == nullptr) {
        throw std::bad_alloc();
    }
    return new (memoria) cella;
}

} // namespace

lista crealista() {
    lista L = nuova_cella();
    L->pred = L;
    L->elem = 0;
    L->succ = L;
    return L;
}

int listavuota(lista L) {
    return L->succ == L && L->pred == L ? 1 : 0;
}

void inslista(int x, posizione* p) {
    posizione dopo = *p;
    // Allocate before touching any link, so a failed allocation leaves the list intact.
    cella* c = nuova_cella();
    c->elem = x;
    c->pred = dopo->pred;
    c->succ = dopo;
    dopo->pred->succ = c;
    dopo->pred = c;
    *p = c;
}

posizione primolista(lista L) {
    return L->succ;
}

posizione ultimolista(lista L) {
    return L->pred;
}

posizione succlista(posizione p) {
    return p->succ;
}

posizione predlista(posizione p) {
    return p->pred;
}

int finelista(posizione p, lista L) {
    return p == L ? 1 : 0;
}

int leggilista(posizione p) {
    return p->elem;
}

void scrivilista(int x, posizione p) {
    p->elem = x;
}

void canclista(posizione* p) {
    posizione q = *p;
    if (q->succ == q) {
        return;
    }
    q->pred->succ = q->succ;
    q->succ->pred = q->pred;
    *p = q->succ;
    std::free(q);
}
