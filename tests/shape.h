#ifndef TESTS_SHAPE_H
#define TESTS_SHAPE_H

#include "binalbero.h"

#include <string>

// The tree's invariant checker: the subtree at u written out as "value(left,right)", a leaf as its
// value alone, the empty tree as "", and "^" after the value of a node whose padre is not its
// parent (for u, the given one). It reads the tree through its accessors and BINALBEROVUOTO, and
// so checks them too.
inline std::string shape(NODO* u, NODO* parent = nullptr) {
    if (BINALBEROVUOTO(u) == 1) {
        return "";
    }
    std::string text = std::to_string(LEGGINODO(u)) + (BINPADRE(u) == parent ? "" : "^");
    if (SINISTROVUOTO(u) == 0 || DESTROVUOTO(u) == 0) {
        text.append("(").append(shape(FIGLIOSINISTRO(u), u)).append(",");
        text.append(shape(FIGLIODESTRO(u), u)).append(")");
    }
    return text;
}

#endif
