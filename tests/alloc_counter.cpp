#include "alloc_counter.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

// The linker sends every call of malloc and free to __wrap_malloc and __wrap_free, and the
// names __real_malloc and __real_free to the C library's own functions.
// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
extern "C" void* __real_malloc(std::size_t size);
extern "C" void __real_free(void* p);
extern "C" void* __wrap_malloc(std::size_t size);
extern "C" void __wrap_free(void* p);
// NOLINTEND(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)

namespace {

constexpr std::size_t never = std::numeric_limits<std::size_t>::max();

std::size_t live_blocks = 0;
std::size_t peak_blocks = 0;
std::size_t made_blocks = 0;
std::size_t until_failure = never;
void (*observer)() = nullptr;

} // namespace

void* __wrap_malloc(std::size_t size) { // NOLINT(bugprone-reserved-identifier)
    if (observer != nullptr) {
        auto* const f = observer;
        observer = nullptr;
        f();
        observer = f;
    }
    if (until_failure == 0) {
        until_failure = never;
        return nullptr;
    }
    if (until_failure != never) {
        --until_failure;
    }
    void* p = __real_malloc(size);
    if (p != nullptr) {
        ++made_blocks;
        ++live_blocks;
        peak_blocks = std::max(peak_blocks, live_blocks);
    }
    return p;
}

void __wrap_free(void* p) { // NOLINT(bugprone-reserved-identifier)
    if (p != nullptr) {
        --live_blocks;
        __real_free(p);
    }
}

namespace alloc_counter {

std::size_t live() {
    return live_blocks;
}

std::size_t peak() {
    return peak_blocks;
}

void reset_peak() {
    peak_blocks = live_blocks;
}

std::size_t made() {
    return made_blocks;
}

void fail_after(std::size_t n) {
    until_failure = n;
}

void observe(void (*f)()) {
    observer = f;
}

} // namespace alloc_counter
