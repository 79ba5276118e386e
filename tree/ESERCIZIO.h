#ifndef TREE_ESERCIZIO_H
#define TREE_ESERCIZIO_H

#include "binalbero.h"

// The extension walk. If u has no left child, hangs under u a new leaf holding s as its left
// child and stops. Otherwise visits u's left child and then every node reached from it by right
// links, up to the first empty link, and runs the walk on each with the sum s + u's value: read
// as a first-child / next-sibling tree, it visits all of u's children. One allocation per new
// leaf; if one fails, std::bad_alloc and the leaves hung so far stay. Sums wrap around at the
// limits of int. T is handed down unchanged.
void AGGIUNGINODO(NODO* u, BINALBERO T, int s);

#endif
