#include "binalbero.h"

#include "alloc_counter.h"
#include "binalbero_checks.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <new>
#include <random>
#include <string>
#include <vector>

namespace {

BINALBERO leaf(int value) {
    BINALBERO T = CREABINALBERO();
    CONSTRBINALBERO(&T, CREABINALBERO());
    SCRIVINODO(value, T);
    return T;
}

// The tree 30 with the leaves 10 on the left and 20 on the right.
BINALBERO small_tree() {
    BINALBERO T = leaf(10);
    CONSTRBINALBERO(&T, leaf(20));
    SCRIVINODO(30, T);
    return T;
}

TEST(BinAlbero, EmptyTreeAndSingleNode) {
    BINALBERO T = CREABINALBERO();
    EXPECT_EQ(BINALBEROVUOTO(T), 1);
    EXPECT_EQ(BINRADICE(T), nullptr);

    const std::size_t made = alloc_counter::made();
    CONSTRBINALBERO(&T, CREABINALBERO());
    EXPECT_EQ(alloc_counter::made(), made + 1);
    EXPECT_EQ(BINALBEROVUOTO(T), 0);
    EXPECT_EQ(BINRADICE(T), T);
    EXPECT_EQ(SINISTROVUOTO(T), 1);
    EXPECT_EQ(DESTROVUOTO(T), 1);
    EXPECT_EQ(BINPADRE(T), nullptr);
    EXPECT_EQ(LEGGINODO(T), 0);
    SCRIVINODO(-12, T);
    EXPECT_EQ(LEGGINODO(T), -12);
    EXPECT_EQ(delete_capturing(T, &T), "free nodo radice valore: -12\n");
    EXPECT_EQ(BINALBEROVUOTO(T), 1);
}

TEST(BinAlbero, JoinLinksBothWays) {
    BINALBERO L = leaf(1);
    CONSTRBINALBERO(&L, leaf(2));
    NODO* const old_left = L;
    BINALBERO R = leaf(3);
    NODO* const old_right = R;
    CONSTRBINALBERO(&L, R);
    EXPECT_NE(L, old_left);
    EXPECT_EQ(R, old_right) << "the right tree's handle now designates the right subtree";
    EXPECT_EQ(FIGLIOSINISTRO(L), old_left);
    EXPECT_EQ(FIGLIODESTRO(L), old_right);
    EXPECT_EQ(BINPADRE(old_left), L);
    EXPECT_EQ(BINPADRE(old_right), L);
    EXPECT_EQ(checked_size(L), 5U);
    delete_capturing(L, &L);
}

TEST(BinAlbero, FailedJoinLeavesBothTreesUnchanged) {
    BINALBERO L = leaf(1);
    BINALBERO R = leaf(2);
    NODO* const old_left = L;
    alloc_counter::fail_after(0);
    EXPECT_THROW(CONSTRBINALBERO(&L, R), std::bad_alloc);
    EXPECT_EQ(L, old_left);
    EXPECT_EQ(BINPADRE(L), nullptr);
    EXPECT_EQ(BINPADRE(R), nullptr);
    delete_capturing(L, &L);
    delete_capturing(R, &R);
}

TEST(BinAlbero, DeletionPrintsPostorderAndClearsTheLinks) {
    const std::size_t before = alloc_counter::live();
    BINALBERO whole = small_tree();
    EXPECT_EQ(delete_capturing(whole, &whole),
              "free nodo valoUre: 10\nfree nodo valoUre: 20\nfree nodo radice valore: 30\n");
    EXPECT_EQ(BINALBEROVUOTO(whole), 1);
    EXPECT_EQ(alloc_counter::live(), before);

    BINALBERO T = small_tree();
    NODO* right = FIGLIODESTRO(T);
    EXPECT_EQ(delete_capturing(FIGLIOSINISTRO(T), &T), "free nodo valoUre: 10\n");
    EXPECT_EQ(SINISTROVUOTO(T), 1);
    EXPECT_EQ(FIGLIODESTRO(T), right);
    EXPECT_EQ(LEGGINODO(right), 20);
    EXPECT_EQ(checked_size(T), 2U);
    EXPECT_EQ(delete_capturing(right, &T), "free nodo valoUre: 20\n");
    EXPECT_EQ(DESTROVUOTO(T), 1);
    EXPECT_EQ(delete_capturing(T, &T), "free nodo radice valore: 30\n");
    EXPECT_EQ(alloc_counter::live(), before);
}

// A forest grown by random joins and cut by random subtree deletions. Every node holds a value
// of its own, so the deletion's lines can be checked against the postorder taken beforehand; the
// live blocks always equal the model's node count, and at the end every node is freed.
TEST(BinAlbero, RandomJoinsAndDeletionsKeepTheInvariant) {
    for (unsigned seed = 1; seed <= 30; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 rng(seed);
        constexpr int steps = 300;
        std::vector<BINALBERO> forest;
        std::vector<std::size_t> sizes;
        forest.reserve(steps);
        sizes.reserve(steps);
        const std::size_t before = alloc_counter::live();
        std::size_t nodes = 0;
        int next_value = 0;
        auto pick = [&rng](std::size_t n) {
            return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
        };
        for (int step = 0; step < steps; ++step) {
            const int operation = std::uniform_int_distribution<int>(0, 2)(rng);
            if (operation == 0 || forest.size() < 2) {
                forest.push_back(leaf(++next_value));
                sizes.push_back(1);
                ++nodes;
            } else if (operation == 1) {
                const std::size_t right = pick(forest.size());
                BINALBERO R = forest[right];
                const std::size_t right_size = sizes[right];
                forest.erase(forest.begin() + static_cast<std::ptrdiff_t>(right));
                sizes.erase(sizes.begin() + static_cast<std::ptrdiff_t>(right));
                const std::size_t left = pick(forest.size());
                CONSTRBINALBERO(&forest[left], R);
                SCRIVINODO(++next_value, forest[left]);
                sizes[left] += right_size + 1;
                ++nodes;
            } else {
                const std::size_t t = pick(forest.size());
                std::vector<NODO*> candidates;
                for (NODO* u = forest[t]; u != nullptr;) {
                    candidates.push_back(u);
                    u = std::bernoulli_distribution(0.5)(rng) ? u->sinistro : u->destro;
                }
                NODO* u = candidates[pick(candidates.size())];
                const bool whole = u == forest[t];
                const std::vector<int> doomed = postorder(u);
                std::string expected;
                for (std::size_t i = 0; i < doomed.size(); ++i) {
                    const bool root_line = whole && i + 1 == doomed.size();
                    expected += (root_line ? "free nodo radice valore: " : "free nodo valoUre: ") +
                                std::to_string(doomed[i]) + "\n";
                }
                ASSERT_EQ(delete_capturing(u, &forest[t]), expected) << "step " << step;
                sizes[t] -= doomed.size();
                nodes -= doomed.size();
                ASSERT_EQ(BINALBEROVUOTO(forest[t]), whole ? 1 : 0);
                if (whole) {
                    forest.erase(forest.begin() + static_cast<std::ptrdiff_t>(t));
                    sizes.erase(sizes.begin() + static_cast<std::ptrdiff_t>(t));
                }
            }
            for (std::size_t i = 0; i < forest.size(); ++i) {
                ASSERT_EQ(checked_size(forest[i]), sizes[i]) << "step " << step;
            }
            ASSERT_EQ(alloc_counter::live(), before + nodes) << "step " << step;
        }
        for (BINALBERO& T : forest) {
            delete_capturing(T, &T);
        }
        EXPECT_EQ(alloc_counter::live(), before);
    }
}

} // namespace
