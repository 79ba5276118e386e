#ifndef TESTS_VIEWS_OTTIMIZZATO_H
#define TESTS_VIEWS_OTTIMIZZATO_H

#include "binalbero.h"

// Compiled optimised: where it calls fermati(), T is needed no more, and a debugger stopped there
// finds T optimised out. Returns T's left child.
BINALBERO ottimizzato(BINALBERO T);

// Where the debugger stops.
void fermati();

#endif
