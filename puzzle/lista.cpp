#include "lista.h"

lista crealista() {
    lista L = new cella{nullptr, 0, nullptr};
    L->pred = L;
    L->succ = L;
    return L;
}

int listavuota(lista L) {
    return L->succ == L && L->pred == L ? 1 : 0;
}

void inslista(int x, posizione* p) {
    posizione dopo = *p;
    // Allocate before touching any link, so a failed allocation leaves the list intact.
    auto* c = new cella{dopo->pred, x, dopo};
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
    delete q;
}
