#include "alloc_counter.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <new>

namespace {

constexpr std::size_t never = std::numeric_limits<std::size_t>::max();

std::size_t live_blocks = 0;
std::size_t peak_blocks = 0;
std::size_t made_blocks = 0;
std::size_t until_failure = never;
void (*observer)() = nullptr;

void* allocate(std::size_t size) {
    if (observer != nullptr) {
        auto* const f = observer;
        observer = nullptr;
        f();
        observer = f;
    }
    if (until_failure == 0) {
        until_failure = never;
        throw std::bad_alloc();
    }
    if (until_failure != never) {
        --until_failure;
    }
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    ++made_blocks;
    ++live_blocks;
    peak_blocks = std::max(peak_blocks, live_blocks);
    return p;
}

void release(void* p) noexcept {
    if (p != nullptr) {
        --live_blocks;
        std::free(p);
    }
}

} // namespace

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

void* operator new(std::size_t size) {
    return allocate(size);
}

void* operator new[](std::size_t size) {
    return allocate(size);
}

void operator delete(void* p) noexcept {
    release(p);
}

void operator delete[](void* p) noexcept {
    release(p);
}

void operator delete(void* p, std::size_t /*size*/) noexcept {
    release(p);
}

void operator delete[](void* p, std::size_t /*size*/) noexcept {
    release(p);
}
