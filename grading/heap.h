#ifndef TESTS_HEAP_H
#define TESTS_HEAP_H

#include <cstddef>

// What a binary sees of its own heap, from the malloc wrapper. Where the linker cannot wrap malloc
// and free, nothing is counted, no allocation fails, the hooks never run, and the checks on them
// are left out.
constexpr bool heap_counted = HEAP_COUNTED != 0;
// Blocks allocated and not yet released.
extern std::size_t live_blocks;
// When it reaches 0, that allocation fails; -1 for none. Each allocation counts it down.
extern long long allocations_until_failure;
// While set, called with each new block (null where it failed) and its size, before it returns.
extern void (*on_malloc)(void* block, std::size_t size);
// While set, called with each block handed to free, before it is released.
extern void (*on_free)(void* block);

#endif
