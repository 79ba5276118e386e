#include "torredihanoi.h"

#include "alloc_counter.h"
#include "lista_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace {

// Disks from bottom to top, on the pegs A, B and C.
using Pegs = std::array<std::vector<int>, 3>;

// The three pegs of a puzzle under test, with the disks 1..n stacked on A.
struct Puzzle {
    std::array<pila, 3> pegs{creapila(), creapila(), creapila()};

    explicit Puzzle(int n) {
        for (int i = n; i > 0; --i) {
            inpila(i, pegs[0]);
        }
    }
    Puzzle(const Puzzle&) = delete;
    Puzzle& operator=(const Puzzle&) = delete;
    Puzzle(Puzzle&&) = delete;
    Puzzle& operator=(Puzzle&&) = delete;
    ~Puzzle() {
        for (pila S : pegs) {
            release_list(S);
        }
    }

    [[nodiscard]] Pegs contents() const {
        return {checked_contents(pegs[0]), checked_contents(pegs[1]), checked_contents(pegs[2])};
    }

    void solve(int n) { torredihanoi(n, pegs[0], pegs[2], pegs[1]); }
};

// Every move makes exactly one allocation, the push onto the target peg, before it changes any
// peg: recording the pegs at each allocation records the state before each move.
const Puzzle* watched = nullptr;
std::vector<Pegs>* states = nullptr;

void record_state() {
    states->push_back(watched->contents());
}

// The states of the puzzle before each move of its solution, and the final one.
std::vector<Pegs> solve_watching(Puzzle& puzzle, int n) {
    std::vector<Pegs> seen;
    watched = &puzzle;
    states = &seen;
    alloc_counter::observe(record_state);
    puzzle.solve(n);
    alloc_counter::observe(nullptr);
    seen.push_back(puzzle.contents());
    return seen;
}

// Whether one disk moved from the top of one peg to the top of another turns before into after.
bool one_move_apart(const Pegs& before, const Pegs& after) {
    for (std::size_t from = 0; from < 3; ++from) {
        for (std::size_t to = 0; to < 3; ++to) {
            if (from != to && !before[from].empty()) {
                Pegs moved = before;
                moved[to].push_back(moved[from].back());
                moved[from].pop_back();
                if (moved == after) {
                    return true;
                }
            }
        }
    }
    return false;
}

bool ordered(const Pegs& pegs) {
    return std::all_of(pegs.begin(), pegs.end(), [](const std::vector<int>& peg) {
        return std::is_sorted(peg.rbegin(), peg.rend());
    });
}

std::vector<int> tower(int n) {
    std::vector<int> disks;
    for (int i = n; i > 0; --i) {
        disks.push_back(i);
    }
    return disks;
}

// A solution in 2^n - 1 single-disk moves that never puts a disk on a smaller one is the unique
// shortest solution, so these checks pin down every move.
TEST(TorreDiHanoi, SmallTowersTakeTheShortestLegalSolution) {
    for (int n = 1; n <= 9; ++n) {
        SCOPED_TRACE(testing::Message() << n << " disks");
        Puzzle puzzle(n);
        const std::vector<Pegs> seen = solve_watching(puzzle, n);
        ASSERT_EQ(seen.size(), std::size_t{1} << static_cast<unsigned>(n));
        for (std::size_t i = 1; i < seen.size(); ++i) {
            ASSERT_TRUE(one_move_apart(seen[i - 1], seen[i])) << "move " << i;
            ASSERT_TRUE(ordered(seen[i])) << "after move " << i;
        }
        EXPECT_EQ(seen.back(), (Pegs{{{}, {}, tower(n)}}));
    }
}

TEST(TorreDiHanoi, FewerThanOneDiskMovesNothing) {
    Puzzle puzzle(2);
    const std::size_t made = alloc_counter::made();
    puzzle.solve(0);
    puzzle.solve(-5);
    EXPECT_EQ(alloc_counter::made(), made);
    EXPECT_EQ(puzzle.contents(), (Pegs{{{2, 1}, {}, {}}}));
}

// The program's own puzzle: 2,097,151 moves, each one allocation, and never more than one cell
// beyond the disks alive, since a move pushes before it pops.
TEST(TorreDiHanoi, TwentyOneDisksEndOnTheDestinationWithAtMostOneSpareCell) {
    ASSERT_EQ(ndischi, 21);
    const std::size_t before = alloc_counter::live();
    Puzzle puzzle(ndischi);
    const std::size_t made = alloc_counter::made();
    alloc_counter::reset_peak();
    puzzle.solve(ndischi);
    EXPECT_EQ(alloc_counter::made() - made, (std::size_t{1} << 21U) - 1);
    EXPECT_EQ(alloc_counter::peak() - before, 3U + 22U) << "three sentinels and 22 cells";
    EXPECT_EQ(alloc_counter::live() - before, 3U + 21U);
    EXPECT_EQ(puzzle.contents(), (Pegs{{{}, {}, tower(21)}}));
}

} // namespace
