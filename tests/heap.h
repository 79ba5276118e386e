#ifndef TESTS_HEAP_H
#define TESTS_HEAP_H

#include <cstddef>

// What a test binary sees of its own heap, from the malloc wrapper. Where the linker cannot wrap
// malloc and free, nothing is counted, the hook never runs, and the checks on them are left out.
constexpr bool heap_counted = HEAP_COUNTED != 0;
extern std::size_t live_blocks; // allocated and not yet released
extern void (*before_malloc)(); // while set, called before each allocation

#endif
