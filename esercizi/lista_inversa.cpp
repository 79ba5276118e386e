// An exercise on the list: builds the list 1 2 3 4 5, prints it, reverses it in place by swapping
// the pred and succ of every cell, the sentinel's too, and prints it again. In the debugger,
// `disegna L c` in the loop shows the ring half reversed, and where.
#include "lista.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

void stampa(lista L) {
    for (posizione p = primolista(L); finelista(p, L) == 0; p = succlista(p)) {
        std::printf(" %d", leggilista(p));
    }
    std::printf("\n");
}

} // namespace

int main() {
    lista L = crealista();
    for (int x = 1; x <= 5; ++x) {
        posizione fine = L;
        inslista(x, &fine);
    }
    stampa(L);
    cella* c = L;
    do {
        std::swap(c->pred, c->succ);
        c = c->pred; // the cell that was its succ
    } while (c != L);
    stampa(L);
    while (listavuota(L) == 0) {
        posizione p = primolista(L);
        canclista(&p);
    }
    std::free(L);
    return 0;
}
