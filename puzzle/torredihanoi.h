#ifndef PUZZLE_TORREDIHANOI_H
#define PUZZLE_TORREDIHANOI_H

#include "pila.h"

// The Tower of Hanoi on three pegs, each peg a stack whose top is its upper disk. A disk is its
// number, from 1 (the smallest) to ndischi (the largest). Each move pushes the disk onto the
// target peg before popping it from the source: when the move's one allocation is made, every
// disk is still on a peg.

// The number of disks that hanoi_demo stacks and moves; at least 1.
extern int ndischi;

// Moves the upper disk of from onto to. Requires from to be non-empty, and to empty or with a
// larger disk on top. One allocation and one release.
void muovidisco(pila from, pila to);

// Moves the n upper disks of from onto to, with via as the spare peg, in 2^n - 1 moves and with
// recursion n deep. Requires three distinct pegs, from holding at least n disks, and each of its
// n upper disks smaller than the disks below it and than the tops of to and via; then no peg ever
// holds a larger disk above a smaller one. Moves nothing if n < 1.
void torredihanoi(int n, pila from, pila to, pila via);

#endif
