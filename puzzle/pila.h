#ifndef PUZZLE_PILA_H
#define PUZZLE_PILA_H

#include "lista.h"

// A stack of int on the circular list: the list's last element is the top, its first the bottom.
//
// Invariant: a stack's handle is its list's sentinel and never changes over the stack's life;
// push and pop move only local copies of positions. The stack owns its cells as the list does.
// Every operation takes constant time; a push makes one allocation, a pop one release.

using pila = lista;

// A new empty stack. One allocation; if it fails, std::bad_alloc.
pila creapila();

// 1 if S is empty, else 0.
int pilavuota(pila S);

// The top element; S is unchanged. On an empty stack, the sentinel's elem: 0, unless scrivilista
// wrote another value there.
int leggipila(pila S);

// Pushes x onto S. One allocation; if it fails, std::bad_alloc and S is unchanged.
void inpila(int x, pila S);

// Pops the top element and releases its cell; the element is not returned (read it first with
// leggipila). On an empty stack, nothing happens.
void fuoripila(pila S);

// Releases an empty stack's sentinel, after which S must not be used again. A non-empty stack is
// refused with the line "ERRORE: stai provando a distruggere una pila non vuota" on standard
// output, and left as it was.
void distruggipila(pila S);

#endif
