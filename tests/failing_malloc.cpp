// Preloaded into a program under test to make its heap run out: with FAIL_SMALL_MALLOC_AFTER=N
// in the environment, the first N allocations of at most 64 bytes succeed and every later one
// fails as malloc fails on an exhausted heap. Larger allocations, such as the C library's own
// buffers, are left alone.
#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdlib>

// The C library's own allocator, under the name it exports for allocators that wrap it.
// NOLINTNEXTLINE(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
extern "C" void* __libc_malloc(std::size_t size);

namespace {

constexpr std::size_t largest_small_block = 64;
long small_blocks_left = -1; // read from the environment at the first small allocation

} // namespace

extern "C" void* malloc(std::size_t size) noexcept {
    if (size <= largest_small_block) {
        if (small_blocks_left < 0) {
            const char* setting = std::getenv("FAIL_SMALL_MALLOC_AFTER");
            small_blocks_left = setting != nullptr ? std::strtol(setting, nullptr, 10) : LONG_MAX;
        }
        if (small_blocks_left == 0) {
            errno = ENOMEM;
            return nullptr;
        }
        --small_blocks_left;
    }
    return __libc_malloc(size);
}
