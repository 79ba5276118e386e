// Linked with ld --wrap=malloc,--wrap=free, which sends the calls of malloc and free that a binary
// makes itself here. Every new block is filled with a pattern, so that nothing reads fresh memory
// as zero by luck. The test binaries count, watch and fail their allocations; copies of the
// programs can be made to run out of heap, and can report what they allocated and released, and
// how many characters they read.
#include "heap.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

std::size_t live_blocks = 0;
void (*on_malloc)(void* block, std::size_t size) = nullptr; // not run again within its own calls
void (*on_free)(void* block) = nullptr;
long long allocations_until_failure = -1; // constant: in place before any allocation

#if HEAP_COUNTED
namespace {

// The settings are read before main. With MALLOC_FAILS_AFTER=N, allocation N + 1 fails, and only
// that one. With MALLOC_REPORT set, the binary writes on standard error at its exit how many blocks
// it allocated and released, and how far it read its standard input, a file. Both count only once
// a setting is read, and so leave out what the C runtime allocates as it starts.
unsigned long long allocations = 0; // tried, a failed one included
unsigned long long releases = 0;

void report() {
    std::fprintf(stderr, "heap: %llu allocations, %llu releases\n", allocations, releases);
    std::fprintf(stderr, "input: %ld characters read\n", std::ftell(stdin));
}

const bool counting = [] {
    if (const char* const fails_after = std::getenv("MALLOC_FAILS_AFTER")) {
        allocations_until_failure = std::strtoll(fails_after, nullptr, 10);
        return true;
    }
    return std::getenv("MALLOC_REPORT") != nullptr && std::atexit(report) == 0;
}();

} // namespace

// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
extern "C" void* __real_malloc(std::size_t size);
extern "C" void __real_free(void* p);

extern "C" void* __wrap_malloc(std::size_t size) {
    const bool fails = allocations_until_failure == 0;
    allocations_until_failure -= allocations_until_failure >= 0 ? 1 : 0;
    allocations += counting ? 1 : 0;
    void* const block = fails ? nullptr : __real_malloc(size);
    live_blocks += block != nullptr ? 1 : 0;
    if (auto* const hook = std::exchange(on_malloc, nullptr); hook != nullptr) {
        hook(block, size);
        on_malloc = hook;
    }
    return block != nullptr ? std::memset(block, 0xa5, size) : nullptr;
}

// On Windows the C++ library is linked statically, so its own allocations, a string's or a
// vector's, would come through the wrapper too: they go straight to the C library instead, as they
// do where the C++ library is a shared one, so that the counts and the hooks see only the blocks
// that the code takes from malloc itself.
#ifdef _WIN32
void* operator new(std::size_t size) {
    void* const block = __real_malloc(size == 0 ? 1 : size);
    return block != nullptr ? block : throw std::bad_alloc();
}

void operator delete(void* block) noexcept {
    __real_free(block);
}

void operator delete(void* block, std::size_t /*size*/) noexcept {
    __real_free(block);
}
#endif

extern "C" void __wrap_free(void* p) {
    live_blocks -= p != nullptr ? 1 : 0;
    releases += p != nullptr && counting ? 1 : 0;
    if (auto* const hook = std::exchange(on_free, nullptr); hook != nullptr) {
        hook(p);
        on_free = hook;
    }
    __real_free(p);
}
// NOLINTEND(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
#endif
