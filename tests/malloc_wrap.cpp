// Linked with ld --wrap=malloc,--wrap=free, which sends the calls of malloc and free that a binary
// makes itself here: the test binaries count and watch their allocations, and copies of the
// programs can be made to run out of heap.
#include <cstddef>
#include <cstdlib>
#include <utility>

// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
extern "C" void* __real_malloc(std::size_t size);
extern "C" void __real_free(void* p);

std::size_t live_blocks = 0;       // allocated and not yet released
void (*before_malloc)() = nullptr; // while set, called before each allocation but its own

// With MALLOC_FAILS_AFTER=N in the environment, allocation N + 1 of the binary's own fails. The
// setting is read before main, and reads as unset while the C runtime starts.
static const char* const fails_after = std::getenv("MALLOC_FAILS_AFTER");
static long made = 0;

extern "C" void* __wrap_malloc(std::size_t size) {
    if (auto* const hook = std::exchange(before_malloc, nullptr)) {
        hook();
        before_malloc = hook;
    }
    const bool fails = fails_after != nullptr && made++ == std::strtol(fails_after, nullptr, 10);
    live_blocks += fails ? 0 : 1;
    return fails ? nullptr : __real_malloc(size);
}

extern "C" void __wrap_free(void* p) {
    live_blocks -= p != nullptr ? 1 : 0;
    __real_free(p);
}
// NOLINTEND(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
