#include "pila.h"

#include <cstdio>
#include <cstdlib>

pila creapila() {
    return crealista();
}

int pilavuota(pila S) {
    return listavuota(S);
}

int leggipila(pila S) {
    return leggilista(ultimolista(S));
}

void inpila(int x, pila S) {
    // The sentinel follows the last element; inserting before a copy of it leaves S unchanged.
    posizione fine = S;
    inslista(x, &fine);
}

void fuoripila(pila S) {
    posizione cima = ultimolista(S);
    canclista(&cima);
}

void distruggipila(pila S) {
    if (pilavuota(S) == 1) {
        std::free(S);
    } else {
        std::fputs("ERRORE: stai provando a distruggere una pila non vuota\n", stdout);
    }
}
