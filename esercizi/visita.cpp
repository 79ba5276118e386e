// An exercise on the tree: builds a small tree of distinct values, prints it, runs the extension
// walk from its root, and prints it again. In the debugger, `disegna T u` at each call of
// AGGIUNGINODO marks the node that the walk visits.
#include "ESERCIZIO.h"

#include <cstdio>

namespace {

// A node holding v over the trees L and R, either of which may be empty.
BINALBERO nodo(int v, BINALBERO L, BINALBERO R) {
    CONSTRBINALBERO(&L, R);
    SCRIVINODO(v, L);
    return L;
}

// The tree at u in preorder, a node a line, indented by its depth.
void stampa(NODO* u, int profondita) {
    if (u != nullptr) {
        std::printf("%*s%d\n", 2 * profondita, "", LEGGINODO(u));
        stampa(FIGLIOSINISTRO(u), profondita + 1);
        stampa(FIGLIODESTRO(u), profondita + 1);
    }
}

} // namespace

int main() {
    BINALBERO vuoto = CREABINALBERO();
    BINALBERO T = nodo(1, nodo(2, nodo(4, vuoto, vuoto), nodo(5, vuoto, vuoto)),
                       nodo(3, nodo(6, vuoto, vuoto), vuoto));
    stampa(T, 0);
    AGGIUNGINODO(T, T, 0);
    std::printf("after the walk:\n");
    stampa(T, 0);
    CANCSOTTOBINALBERO(T, &T);
    return 0;
}
