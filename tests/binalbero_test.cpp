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

// The tree 30 with the leaves 10 on the left and 20 on the right.
BINALBERO small_tree() {
    return joined(leaf(10), 30, leaf(20));
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
    BINALBERO L = joined(leaf(1), 2, CREABINALBERO());
    NODO* const old_left = L;
    NODO* const old_right = leaf(3);
    CONSTRBINALBERO(&L, old_right);
    EXPECT_NE(L, old_left);
    EXPECT_EQ(FIGLIOSINISTRO(L), old_left);
    EXPECT_EQ(FIGLIODESTRO(L), old_right);
    EXPECT_EQ(BINPADRE(old_left), L);
    EXPECT_EQ(BINPADRE(old_right), L);
    EXPECT_EQ(checked_size(L), 4U);
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
    struct Tree {
        BINALBERO root;
        std::size_t size;
    };
    for (unsigned seed = 1; seed <= 30; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 rng(seed);
        constexpr int steps = 300;
        std::vector<Tree> forest;
        forest.reserve(steps);
        const std::size_t before = alloc_counter::live();
        int next_value = 0;
        auto pick = [&rng](std::size_t n) {
            return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
        };
        auto take = [&forest](std::size_t i) {
            const Tree t = forest[i];
            forest.erase(forest.begin() + static_cast<std::ptrdiff_t>(i));
            return t;
        };
        for (int step = 0; step < steps; ++step) {
            const int operation = std::uniform_int_distribution<int>(0, 2)(rng);
            if (operation == 0 || forest.size() < 2) {
                forest.push_back({leaf(++next_value), 1});
            } else if (operation == 1) {
                const Tree right = take(pick(forest.size()));
                Tree& left = forest[pick(forest.size())];
                left = {joined(left.root, ++next_value, right.root), left.size + right.size + 1};
            } else {
                const std::size_t i = pick(forest.size());
                Tree& t = forest[i];
                std::vector<NODO*> path;
                for (NODO* u = t.root; u != nullptr;) {
                    path.push_back(u);
                    u = std::bernoulli_distribution(0.5)(rng) ? u->sinistro : u->destro;
                }
                NODO* u = path[pick(path.size())];
                const bool whole = u == t.root;
                const std::vector<int> doomed = postorder(u);
                std::string expected;
                for (std::size_t k = 0; k < doomed.size(); ++k) {
                    const bool root_line = whole && k + 1 == doomed.size();
                    expected += (root_line ? "free nodo radice valore: " : "free nodo valoUre: ") +
                                std::to_string(doomed[k]) + "\n";
                }
                ASSERT_EQ(delete_capturing(u, &t.root), expected) << "step " << step;
                ASSERT_EQ(BINALBEROVUOTO(t.root), whole ? 1 : 0);
                t.size -= doomed.size();
                if (whole) {
                    take(i);
                }
            }
            std::size_t nodes = 0;
            for (const Tree& t : forest) {
                ASSERT_EQ(checked_size(t.root), t.size) << "step " << step;
                nodes += t.size;
            }
            ASSERT_EQ(alloc_counter::live(), before + nodes) << "step " << step;
        }
        for (Tree& t : forest) {
            delete_capturing(t.root, &t.root);
        }
        EXPECT_EQ(alloc_counter::live(), before);
    }
}

} // namespace
