#include "binalbero.h"

#include <cstdio>
#include <cstdlib>
#include <new>

BINALBERO CREABINALBERO() {
    return nullptr;
}

int BINALBEROVUOTO(BINALBERO T) {
    return T == nullptr ? 1 : 0;
}

NODO* BINRADICE(BINALBERO T) {
    return T;
}

NODO* BINPADRE(NODO* u) {
    return u->padre;
}

NODO* FIGLIOSINISTRO(NODO* u) {
    return u->sinistro;
}

NODO* FIGLIODESTRO(NODO* u) {
    return u->destro;
}

int SINISTROVUOTO(NODO* u) {
    return u->sinistro == nullptr ? 1 : 0;
}

int DESTROVUOTO(NODO* u) {
    return u->destro == nullptr ? 1 : 0;
}

void CONSTRBINALBERO(BINALBERO* L, BINALBERO R) {
    // Nodes come from malloc and go back with free; std::bad_alloc, as new would throw, when the
    // heap is exhausted.
    void* memoria = std::malloc(sizeof(NODO));
    if (memoria == nullptr) {
        throw std::bad_alloc();
    }
    auto* n = new (memoria) NODO{0, nullptr, *L, R};
    if (*L != nullptr) {
        (*L)->padre = n;
    }
    if (R != nullptr) {
        R->padre = n;
    }
    *L = n;
}

int LEGGINODO(NODO* u) {
    return u->valore;
}

void SCRIVINODO(int x, NODO* u) {
    u->valore = x;
}

void CANCSOTTOBINALBERO(NODO* u, BINALBERO* T) {
    // Deleting a child clears this node's link to it, so both links are empty afterwards.
    if (u->sinistro != nullptr) {
        CANCSOTTOBINALBERO(u->sinistro, T);
    }
    if (u->destro != nullptr) {
        CANCSOTTOBINALBERO(u->destro, T);
    }
    // Whether u is *T's root is settled before any link changes: *T may be the parent's own link
    // to u, which the next step clears.
    const bool radice = u == *T;
    // u may have a parent even as the root of *T, when *T is a subtree's own handle.
    if (NODO* p = u->padre; p != nullptr) {
        if (p->sinistro == u) {
            p->sinistro = nullptr;
        }
        if (p->destro == u) {
            p->destro = nullptr;
        }
    }
    // "valoUre" is misspelt in the programs' fixed output, and stays so.
    if (radice) {
        *T = nullptr;
        std::printf("free nodo radice valore: %d\n", u->valore);
    } else {
        std::printf("free nodo valoUre: %d\n", u->valore);
    }
    std::free(u);
}
