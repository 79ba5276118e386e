#include "heap.h"
#include "torredihanoi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <random>
#include <vector>

namespace {

// The invariant checker: every element is its neighbours' neighbour, which also covers the
// sentinel's links to the first and the last. Returns the elements from first to last.
std::vector<int> contents(lista L) {
    std::vector<int> found;
    for (auto* p = primolista(L); finelista(p, L) != 1 && found.size() < 1000; p = succlista(p)) {
        EXPECT_EQ(predlista(succlista(p)), p) << "the cell after element " << found.size();
        EXPECT_EQ(succlista(predlista(p)), p) << "the cell before element " << found.size();
        found.push_back(leggilista(p));
    }
    return found;
}

// Pops every element of S, then releases it.
void release(pila S) {
    while (pilavuota(S) == 0) {
        fuoripila(S);
    }
    distruggipila(S);
}

// The list, and the stack on it, against a vector: at random, a cell is inserted, deleted or
// written at a cursor that then steps on through the ring, or an element is pushed or popped. An
// insertion leaves the cursor at the new cell and a deletion at the cell that followed; a push or
// a pop leaves it where it was, and is not tried on the cursor's own cell. Deleting at the sentinel
// of an empty list, or popping an empty stack, does nothing; writing at the sentinel changes what
// an empty stack's top reads. Where the heap can be made to fail, an insertion, a push or a new
// stack whose allocation fails throws std::bad_alloc, and the list is as it was.
TEST(ListaEPila, RandomEditsMatchAVector) {
    SCOPED_TRACE("seed 1");
    std::mt19937 rng(1);
    std::vector<int> model;
    int sentinel = -1;
    lista L = crealista();
    scrivilista(sentinel, L);
    posizione p = L;
    std::size_t i = 0; // the cursor's index in the model, the model's size at the sentinel
    for (int step = 0; step < 4000; ++step) {
        const auto at = model.begin() + static_cast<std::ptrdiff_t>(i);
        const auto edit = rng() % 6;
        if (edit == 0) {
            inslista(step, &p);
            model.insert(at, step);
        } else if (edit == 1 && (i < model.size() || model.empty())) {
            canclista(&p);
            model.erase(at, at + (model.empty() ? 0 : 1));
        } else if (edit == 2) {
            inpila(step, L);
            i += i == model.size() ? 1U : 0U;
            model.push_back(step);
        } else if (edit == 3 && i + 1 != model.size()) {
            fuoripila(L);
            i -= i == model.size() && i > 0 ? 1U : 0U;
            model.resize(model.empty() ? 0 : model.size() - 1);
        } else if (edit == 4) {
            scrivilista(step, p);
            (i < model.size() ? model[i] : sentinel) = step;
        } else if (edit == 5 && heap_counted) {
            allocations_until_failure = 0;
            EXPECT_THROW(step % 3 == 0   ? inslista(step, &p)
                         : step % 3 == 1 ? inpila(step, L)
                                         : static_cast<void>(creapila()),
                         std::bad_alloc);
        }
        p = succlista(p);
        i = (i + 1) % (model.size() + 1);
        ASSERT_EQ(contents(L), model) << "step " << step;
        ASSERT_EQ(leggilista(p), i < model.size() ? model[i] : sentinel) << "the cursor " << step;
        ASSERT_EQ(leggipila(L), model.empty() ? sentinel : model.back()) << "the top " << step;
        ASSERT_EQ(pilavuota(L), model.empty() ? 1 : 0) << "emptiness, step " << step;
    }
    release(L);
}

// The pegs A, B and C. A look at them checks that the nine disks are there, each exactly once,
// and that no peg holds a disk on a smaller one: so each peg's disks decrease strictly from bottom
// to top.
std::vector<pila> pegs;
const std::vector<int> nine{1, 2, 3, 4, 5, 6, 7, 8, 9};
int looks = 0;

void look_at_pegs(void* /*block*/ = nullptr, std::size_t /*size*/ = 0) {
    std::vector<int> disks;
    for (pila S : pegs) {
        const std::vector<int> peg = contents(S);
        EXPECT_TRUE(std::is_sorted(peg.rbegin(), peg.rend())) << testing::PrintToString(peg);
        disks.insert(disks.end(), peg.begin(), peg.end());
    }
    std::sort(disks.begin(), disks.end());
    EXPECT_EQ(disks, nine) << "the disks on the three pegs";
    ++looks;
}

// With nine disks on A, torredihanoi(n, A, C, B) moves the n upper ones onto C, or none when n is
// 0 or below. A move allocates its cell on the target peg before it changes any peg, so where the
// heap is counted, a look at the pegs at each allocation checks every state before a move, and
// counts the moves; one more look checks the last state. Legal states, 2^n - 1 moves and the tower
// on C make the one shortest solution; where the heap is not counted, the moves go unseen and the
// test says it was skipped. The stack A, never empty, is not destroyed, with a message,
// and keeps its blocks; the empty B is, silently, and its block is freed.
TEST(TorreDiHanoi, SmallTowersMoveOnlyLegallyOntoTheDestination) {
    for (int n = -1; n <= 8; ++n) {
        SCOPED_TRACE(testing::Message() << n << " disks");
        const int moved = std::max(n, 0);
        pegs = {creapila(), creapila(), creapila()};
        for (int i = 9; i > 0; --i) {
            inpila(i, pegs[0]);
        }
        looks = 0;
        on_malloc = look_at_pegs;
        torredihanoi(n, pegs[0], pegs[2], pegs[1]);
        on_malloc = nullptr;
        look_at_pegs();
        EXPECT_EQ(looks, heap_counted ? 1 << moved : 1) << "looks: before each move, and last";
        EXPECT_EQ(contents(pegs[2]), std::vector<int>(nine.rend() - moved, nine.rend())) << "C";
        EXPECT_EQ(leggipila(pegs[1]), 0) << "the top of the empty B, its sentinel's value";
        const std::size_t before = live_blocks;
        testing::internal::CaptureStdout();
        distruggipila(pegs[0]);
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  "ERRORE: stai provando a distruggere una pila non vuota\n");
        testing::internal::CaptureStdout();
        distruggipila(pegs[1]);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "B destroyed";
        EXPECT_EQ(before - live_blocks, heap_counted ? 1U : 0U) << "blocks released with B";
        release(pegs[0]);
        release(pegs[2]);
    }
    if (!heap_counted) {
        GTEST_SKIP() << "only the last state was checked: the linker cannot wrap malloc here";
    }
}

} // namespace
