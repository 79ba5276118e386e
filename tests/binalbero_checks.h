#ifndef TESTS_BINALBERO_CHECKS_H
#define TESTS_BINALBERO_CHECKS_H

#include "binalbero.h"

#include <cstddef>
#include <string>
#include <vector>

// The invariant checker of the tree: the root's padre is empty and every child's padre is its
// parent. Reports any breach as a test failure and returns the number of nodes.
std::size_t checked_size(BINALBERO T);

// A tree made by joining left and right under a new root holding value; a leaf when both are
// empty.
BINALBERO joined(BINALBERO left, int value, BINALBERO right);
BINALBERO leaf(int value);

// The values of the subtree rooted at u in preorder, and in postorder.
std::vector<int> preorder(const NODO* u);
std::vector<int> postorder(const NODO* u);

// Deletes the subtree rooted at u from *T and returns what the deletion printed.
std::string delete_capturing(NODO* u, BINALBERO* T);

#endif
