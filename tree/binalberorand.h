#ifndef TREE_BINALBERORAND_H
#define TREE_BINALBERORAND_H

#include "binalbero.h"

// Pseudo-random complete trees and their preorder print. The generator is the linear
// congruential one of the 32-bit Windows C runtime, so the values are the same on every
// platform: it is reseeded with 15612 by every call of INITBINALBERORAND, and each value drawn
// lies in 0..32767.

// a + (r mod (b - a + 1)), with r the generator's next value: a value in a..b when b - a is at
// most 32767, else in a..a + 32767. Requires a <= b.
int int_rand(int a, int b);

// Builds into *T a complete binary tree of height h: 2^(h+1) - 1 nodes, each drawn after both
// its subtrees are complete, leaves from 1..1050 and the others from 15..2050. Since every call
// reseeds, all nodes of one height hold one value. A tree already at *T becomes the left subtree
// of the leftmost new node. With h < 0 it builds nothing. Time and allocations linear in the
// nodes, recursion h deep. If an allocation fails, std::bad_alloc; what *T then holds, and
// whether what was built is released, are left unspecified.
void INITBINALBERORAND(int h, BINALBERO* T);

// Prints "\n\n%d\n" with u's value, then, if u has two children, the left and the right subtree
// the same way: a preorder print of every node of a tree from INITBINALBERORAND. A node with one
// child has neither printed. T is handed down unchanged.
void STAMPALBEROBIN(NODO* u, BINALBERO T);

#endif
