#include "torredihanoi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <random>
#include <vector>

// From the malloc wrapper: blocks allocated and not yet released; a hook run before each malloc.
extern std::size_t live_blocks;
extern void (*before_malloc)();

namespace {

// The invariant checker: every cell, the sentinel included, is its neighbours' neighbour (each
// element's check covers its neighbours' links, and listavuota an empty ring's). Returns the
// elements from first to last.
std::vector<int> contents(lista L) {
    std::vector<int> found;
    for (auto* p = primolista(L); finelista(p, L) != 1 && found.size() < 1000; p = succlista(p)) {
        EXPECT_TRUE(predlista(succlista(p)) == p && succlista(predlista(p)) == p);
        found.push_back(leggilista(p));
    }
    EXPECT_EQ(listavuota(L), found.empty() ? 1 : 0);
    return found;
}

// Cells are inserted or deleted at random at a cursor that then steps on through the ring, against
// a vector. An insertion leaves the cursor at the new cell and a deletion at the cell that
// followed; deleting at the sentinel of an empty list does nothing; every cell is one block.
TEST(Lista, RandomEditsAtAWalkingCursorMatchAVector) {
    SCOPED_TRACE("seed 1");
    std::mt19937 rng(1);
    std::vector<int> model;
    model.reserve(3000); // so that the model's own blocks stay as they are
    const std::size_t before = live_blocks;
    lista L = crealista();
    scrivilista(-1, L); // held by no element
    posizione p = L;
    std::size_t i = 0; // the cursor's index in the model, the model's size at the sentinel
    for (int step = 0; step < 3000; ++step) {
        const auto at = model.begin() + static_cast<std::ptrdiff_t>(i);
        if (rng() % 2 == 0) {
            inslista(step, &p);
            model.insert(at, step);
        } else if (i < model.size() || model.empty()) {
            canclista(&p);
            model.erase(at, at + (model.empty() ? 0 : 1));
        }
        p = succlista(p);
        i = (i + 1) % (model.size() + 1);
        ASSERT_EQ(contents(L), model) << "step " << step;
        ASSERT_EQ(leggilista(p), i < model.size() ? model[i] : -1) << "step " << step;
        ASSERT_EQ(live_blocks, before + 1 + model.size());
    }
}

// The pegs A, B and C, and how often they were looked at, each time checking that no disk lies on
// a smaller one and that all nine are there.
std::array<pila, 3> pegs;
unsigned looks = 0;

void look_at_pegs() {
    std::size_t disks = 0;
    for (pila S : pegs) {
        const std::vector<int> peg = contents(S);
        EXPECT_TRUE(std::adjacent_find(peg.begin(), peg.end(), std::less_equal<>()) == peg.end());
        disks += peg.size();
    }
    EXPECT_EQ(disks, 9U);
    ++looks;
}

// With nine disks on A, torredihanoi(n, A, C, B) moves the n upper ones onto C in 2^n - 1 moves,
// or none when n is 0. A move allocates its cell on the target peg before it changes any peg, so
// looking at the pegs at each allocation checks every state between moves. Popping the empty B
// does nothing, and its top reads the sentinel's 0. The stack A, never empty, is not destroyed,
// with a message; B is, and its block is freed.
TEST(TorreDiHanoi, SmallTowersMoveOnlyLegallyOntoTheDestination) {
    for (unsigned n = 0; n <= 8; ++n) {
        SCOPED_TRACE(testing::Message() << n << " disks");
        pegs = {creapila(), creapila(), creapila()};
        for (int i = 9; i > 0; --i) {
            inpila(i, pegs[0]);
        }
        fuoripila(pegs[1]);
        looks = 0;
        before_malloc = look_at_pegs;
        torredihanoi(static_cast<int>(n), pegs[0], pegs[2], pegs[1]);
        before_malloc = nullptr;
        look_at_pegs();
        EXPECT_TRUE(looks == 1U << n && contents(pegs[2]).size() == n && leggipila(pegs[1]) == 0);
        const std::size_t before = live_blocks;
        testing::internal::CaptureStdout();
        distruggipila(pegs[0]);
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  "ERRORE: stai provando a distruggere una pila non vuota\n");
        distruggipila(pegs[1]);
        EXPECT_EQ(live_blocks, before - 1);
    }
}

} // namespace
