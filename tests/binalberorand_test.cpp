#include "binalberorand.h"

#include "alloc_counter.h"
#include "binalbero_checks.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// The values of the 32-bit Windows C runtime's rand() after srand(15612), computed from its
// published recurrence.
std::vector<int> windows_rand_after_seed(std::size_t count) {
    std::uint32_t state = 15612;
    std::vector<int> values;
    for (std::size_t i = 0; i < count; ++i) {
        state = state * 214013U + 2531011U;
        values.push_back(static_cast<int>((state >> 16U) & 0x7fffU));
    }
    return values;
}

BINALBERO built(int h) {
    BINALBERO T = CREABINALBERO();
    INITBINALBERORAND(h, &T);
    return T;
}

// Checks that every node k levels above the leaves holds expected[k].
void expect_values_by_height(const NODO* u, std::size_t height, const std::vector<int>& expected) {
    EXPECT_EQ(u->valore, expected[height]) << "at height " << height;
    if (height > 0) {
        ASSERT_NE(u->sinistro, nullptr);
        ASSERT_NE(u->destro, nullptr);
        expect_values_by_height(u->sinistro, height - 1, expected);
        expect_values_by_height(u->destro, height - 1, expected);
    } else {
        EXPECT_EQ(u->sinistro, nullptr);
        EXPECT_EQ(u->destro, nullptr);
    }
}

std::string print_capturing(NODO* u) {
    testing::internal::CaptureStdout();
    STAMPALBEROBIN(u, u);
    return testing::internal::GetCapturedStdout();
}

TEST(BinAlberoRand, IntRandStaysInItsRangeAtTheLimitsOfInt) {
    for (int a : {INT_MIN, -1, 0, 7, INT_MAX}) {
        EXPECT_EQ(int_rand(a, a), a);
    }
    // Building a leaf reseeds and draws the first value; the next ones follow.
    const std::vector<int> r = windows_rand_after_seed(4);
    BINALBERO T = built(0);
    EXPECT_EQ(int_rand(INT_MIN, INT_MAX), INT_MIN + r[1]);
    EXPECT_EQ(int_rand(INT_MAX - 2, INT_MAX), INT_MAX - 2 + r[2] % 3);
    EXPECT_EQ(int_rand(-5, 5), -5 + r[3] % 11);
    delete_capturing(T, &T);
}

TEST(BinAlberoRand, CompleteTreesHoldOneValuePerHeight) {
    const std::vector<int> r = windows_rand_after_seed(8);
    std::vector<int> expected{1 + r[0] % 1050};
    for (std::size_t k = 1; k < r.size(); ++k) {
        expected.push_back(15 + r[k] % 2036);
    }
    EXPECT_EQ(std::vector<int>(expected.begin(), expected.begin() + 4),
              (std::vector<int>{403, 819, 1782, 86}));
    for (std::size_t h = 0; h < r.size(); ++h) {
        SCOPED_TRACE(testing::Message() << "height " << h);
        const std::size_t before = alloc_counter::live();
        BINALBERO T = built(static_cast<int>(h));
        EXPECT_EQ(checked_size(T), (std::size_t{2} << h) - 1);
        EXPECT_EQ(alloc_counter::live() - before, (std::size_t{2} << h) - 1);
        expect_values_by_height(T, h, expected);
        BINALBERO again = built(static_cast<int>(h));
        EXPECT_EQ(preorder(again), preorder(T)) << "a rebuild differs";
        delete_capturing(again, &again);
        delete_capturing(T, &T);
    }
}

TEST(BinAlberoRand, NegativeHeightBuildsNothing) {
    const std::size_t made = alloc_counter::made();
    EXPECT_EQ(built(-1), nullptr);
    EXPECT_EQ(alloc_counter::made(), made);
}

TEST(BinAlberoRand, PrintShowsPreorderOfNodesWithTwoChildren) {
    BINALBERO T = built(3);
    std::string expected;
    for (int v : {86, 1782, 819, 403, 403, 819, 403, 403, 1782, 819, 403, 403, 819, 403, 403}) {
        expected += "\n\n" + std::to_string(v) + "\n";
    }
    EXPECT_EQ(print_capturing(T), expected);

    // Below a node with one child nothing is printed, whichever side the child is on.
    NODO* right = FIGLIODESTRO(T);
    delete_capturing(FIGLIODESTRO(right), &T);
    EXPECT_EQ(print_capturing(right), "\n\n1782\n");
    delete_capturing(FIGLIOSINISTRO(right), &T);
    delete_capturing(FIGLIOSINISTRO(FIGLIOSINISTRO(T)), &T);
    EXPECT_EQ(print_capturing(FIGLIOSINISTRO(T)), "\n\n1782\n");
    delete_capturing(T, &T);
}

} // namespace
