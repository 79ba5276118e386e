#include "pila.h"

#include <cstdio>

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
    posizione fine = succlista(ultimolista(S));
    inslista(x, &fine);
}

void fuoripila(pila S) {
    posizione cima = ultimolista(S);
    canclista(&cima);
}

void distruggipila(pila S) {
    if (pilavuota(S) == 1) {
        delete S;
    } else {
        std::fputs("ERRORE: stai provando a distruggere una pila non vuota\n", stdout);
    }
}
