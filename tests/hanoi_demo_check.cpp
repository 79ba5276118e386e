// Linked into the wrapped copy of hanoi_demo, whose output shows only two top disks: takes the
// first three list cells the program allocates, its pegs' sentinels (origine, ausiliario and
// destinazione), and writes each peg's disks from bottom to top after the exit report.
#include "heap.h"
#include "pila.h"

#include <array>
#include <cstdio>

namespace {

std::array<pila, 3> pegs{};
std::size_t made = 0;

void record(void* block, std::size_t size) {
    if (size == sizeof(cella) && made < pegs.size()) {
        pegs.at(made++) = static_cast<pila>(block);
    }
}

// At most 64 disks a peg, so that a broken ring cannot keep the report going.
void write_pegs() {
    for (pila S : pegs) {
        std::fputs("peg:", stderr);
        int n = 0;
        for (posizione p = primolista(S); finelista(p, S) == 0 && n++ < 64; p = succlista(p)) {
            std::fprintf(stderr, " %d", leggilista(p));
        }
        std::fputs("\n", stderr);
    }
}

// The hooks are constant-initialized in the wrapper, so they are there to be set at this point.
[[maybe_unused]] const bool installed = // NOLINT(cppcoreguidelines-interfaces-global-init)
    (on_malloc = record, on_report = write_pegs, true);

} // namespace
