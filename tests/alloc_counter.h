#ifndef TESTS_ALLOC_COUNTER_H
#define TESTS_ALLOC_COUNTER_H

#include <cstddef>

// Bookkeeping of the malloc and free calls linked into a test binary, which wraps both at link
// time (ld --wrap). Tests read it to check how many cells or nodes an operation makes and
// releases, to make one allocation fail, and to look at a structure just before each allocation.
namespace alloc_counter {

// Blocks allocated and not yet released.
std::size_t live();

// The highest value of live() since the last reset_peak().
std::size_t peak();
void reset_peak();

// Allocations made since the program started.
std::size_t made();

// The allocation after the next n returns null; later ones succeed again.
void fail_after(std::size_t n);

// Calls f before every allocation until it is cleared with nullptr. Allocations that f makes
// itself do not call it again.
void observe(void (*f)());

} // namespace alloc_counter

#endif
