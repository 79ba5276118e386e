#ifndef TESTS_LISTA_CHECKS_H
#define TESTS_LISTA_CHECKS_H

#include "lista.h"

#include <vector>

// The invariant checker of the list: every cell's succ.pred and pred.succ is itself, and the
// backward walk reads the forward walk's elements in reverse. Reports any breach as a test
// failure and returns the elements from first to last.
std::vector<int> checked_contents(lista L);

// Releases every cell of L and then its sentinel, so that tests leave no block behind.
void release_list(lista L);

#endif
