#include "ESERCIZIO.h"
#include "binalberorand.h"
#include "heap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <new>
#include <random>
#include <string>

namespace {

// The tree's invariant checker: the subtree at u written out as "value(left,right)", a leaf as its
// value alone, the empty tree as "", and "^" after the value of a node whose padre is not its
// parent (for u, the given one). It reads the tree through its accessors and BINALBEROVUOTO, and
// so checks them too.
std::string shape(NODO* u, NODO* parent = nullptr) {
    if (BINALBEROVUOTO(u) == 1) {
        return "";
    }
    std::string text = std::to_string(LEGGINODO(u)) + (BINPADRE(u) == parent ? "" : "^");
    if (SINISTROVUOTO(u) != 1 || DESTROVUOTO(u) != 1) {
        text.append("(").append(shape(FIGLIOSINISTRO(u), u)).append(",");
        text.append(shape(FIGLIODESTRO(u), u)).append(")");
    }
    return text;
}

BINALBERO joined(BINALBERO left, int value, BINALBERO right) {
    CONSTRBINALBERO(&left, right);
    SCRIVINODO(value, left);
    return left;
}

// What f writes on standard output.
template <class F> std::string printed(F f) {
    testing::internal::CaptureStdout();
    f();
    return testing::internal::GetCapturedStdout();
}

// Deletes the whole tree T, whose lines are left unread.
void release(BINALBERO T) {
    printed([&] { CANCSOTTOBINALBERO(T, &T); });
}

// Joining two empty trees makes a node holding 0; joining makes the trees' roots the new root's
// children. The walk hangs a new leaf holding the running sum under its start node if that has no
// left child, leaving a right child in place; else it runs on the left child and each node of that
// child's chain of right links, adding the start node's value to the sum, which wraps around at
// the limits of int.
TEST(BinAlbero, JoinAndWalk) {
    BINALBERO T = CREABINALBERO();
    CONSTRBINALBERO(&T, CREABINALBERO());
    NODO* const v = joined(joined({}, 2, {}), 100, joined({}, 1000, {}));
    T = joined(joined(T, 10, v), 1, {});
    AGGIUNGINODO(BINRADICE(T), T, 4);
    EXPECT_EQ(shape(T), "1(10(0(15,),100(2(105,),1000(5,))),)") << "walked from the root";
    release(T);
    T = joined(joined({}, 0, joined({}, 3, {})), 2147483647, {});
    AGGIUNGINODO(T, T, 1);
    EXPECT_EQ(shape(T), "2147483647(0(-2147483648,3(-2147483648,)),)") << "past the limit of int";
    release(T);
}

// With the heap exhausted, a join throws std::bad_alloc and leaves both trees as they were, and a
// walk throws with the leaves it hung before in place.
TEST(BinAlbero, OutOfHeap) {
    if (!heap_counted) {
        GTEST_SKIP() << "the linker cannot wrap malloc here";
    }
    BINALBERO L = joined({}, 1, {});
    NODO* const three = joined({}, 3, {});
    allocations_until_failure = 0;
    EXPECT_THROW(CONSTRBINALBERO(&L, three), std::bad_alloc);
    EXPECT_EQ(shape(L) + "," + shape(three), "1,3") << "the two trees after a failed join";
    BINALBERO T = joined(joined({}, 0, three), 2, L);
    allocations_until_failure = 1;
    EXPECT_THROW(AGGIUNGINODO(T, T, 5), std::bad_alloc);
    EXPECT_EQ(shape(T), "2(0(7,3),1)") << "the tree after a walk's second leaf failed";
    release(T);
}

// The print shows a node, then its left subtree, then its right one, and does not descend into a
// node with only one child. A deletion prints its nodes in postorder, left subtree first, and the
// root of the tree it is handed as such; it frees them and clears the parent's link to the subtree,
// whether it is handed the whole tree, a copy of the subtree's root or the parent's own link.
TEST(BinAlbero, PrintAndDelete) {
    const std::size_t before = live_blocks;
    NODO* const v = joined(joined({}, 2, {}), 100, joined(joined({}, 5, {}), 1000, {}));
    BINALBERO T = joined(joined(joined(joined({}, 15, {}), 0, {}), 10, v), 1,
                         joined({}, 7, joined({}, 8, {})));
    EXPECT_EQ(printed([&] { STAMPALBEROBIN(T, T); }),
              "\n\n1\n\n\n10\n\n\n0\n\n\n100\n\n\n2\n\n\n1000\n\n\n7\n");
    EXPECT_EQ(printed([&] { CANCSOTTOBINALBERO(v, &T); }),
              "free nodo valoUre: 2\nfree nodo valoUre: 5\nfree nodo valoUre: 1000\n"
              "free nodo valoUre: 100\n");
    EXPECT_EQ(shape(T), "1(10(0(15,),),7(,8))") << "a subtree deleted through the tree's handle";
    BINALBERO sub = FIGLIOSINISTRO(FIGLIOSINISTRO(T));
    EXPECT_EQ(printed([&] { CANCSOTTOBINALBERO(sub, &sub); }),
              "free nodo valoUre: 15\nfree nodo radice valore: 0\n");
    EXPECT_EQ(BINALBEROVUOTO(sub), 1) << "a subtree deleted through a copy of its root";
    EXPECT_EQ(shape(T), "1(10,7(,8))") << "a subtree deleted through a copy of its root";
    EXPECT_EQ(printed([&] { CANCSOTTOBINALBERO(T->destro, &T->destro); }),
              "free nodo valoUre: 8\nfree nodo radice valore: 7\n");
    EXPECT_EQ(shape(T), "1(10,)") << "a subtree deleted through its parent's link";
    EXPECT_EQ(printed([&] { CANCSOTTOBINALBERO(T, &T); }),
              "free nodo valoUre: 10\nfree nodo radice valore: 1\n");
    EXPECT_EQ(live_blocks, before) << "blocks left once every node is deleted";
}

// Every call of the builder reseeds, so all nodes of one height hold one value: from the first
// four values drawn, 403 in the leaves, then 819, 1782 and 86. A tree already at the handle hangs
// under the leftmost new leaf. A height of 0 builds a leaf from a fresh seed, a height below 0
// nothing.
TEST(BinAlbero, BuildAtRandom) {
    BINALBERO T = CREABINALBERO();
    INITBINALBERORAND(3, &T);
    EXPECT_EQ(shape(T), "86(1782(819(403,403),819(403,403)),1782(819(403,403),819(403,403)))");
    release(T);
    T = joined({}, 7, {});
    INITBINALBERORAND(1, &T);
    EXPECT_EQ(shape(T), "819(403(7,),403)") << "a tree already there, under the leftmost new node";
    release(T);
    T = CREABINALBERO();
    INITBINALBERORAND(0, &T);
    INITBINALBERORAND(-1, &T);
    EXPECT_EQ(shape(T), "403") << "heights 0 and -1";
    release(T);
}

// int_rand(a, b) is a + r mod (b - a + 1), r the next value of the 32-bit Windows C runtime's
// generator, over ranges of one value, narrow, wide and whole, at random, near 0 and at either
// limit of int. The builder reseeds, and draws the first value.
TEST(BinAlbero, DrawsInAnyRange) {
    BINALBERO T = CREABINALBERO();
    INITBINALBERORAND(0, &T);
    release(T);
    std::uint32_t state = 15612U * 214013U + 2531011U;
    std::mt19937 rng(3);
    const std::int64_t least = -2147483647 - 1;
    const std::int64_t most = 2147483647;
    for (std::size_t k = 0; k < 4000; ++k) {
        const auto i = static_cast<std::int64_t>(k);
        const auto r = static_cast<std::int64_t>(rng());
        const std::int64_t a = std::array{least + r, least + i, most - i, i % 7 - 3}.at(k % 4);
        const std::int64_t width =
            std::array{std::int64_t{1}, 2 + i % 40, 32767 + i % 3, r + 1}.at(k / 4 % 4);
        const std::int64_t b = std::min(most, a + width - 1);
        state = state * 214013U + 2531011U;
        const std::int64_t drawn = (state >> 16U) & 0x7fffU;
        ASSERT_EQ(int_rand(static_cast<int>(a), static_cast<int>(b)), a + drawn % (b - a + 1))
            << "int_rand(" << a << ", " << b << "), draw " << i + 2;
    }
}

// Wherever an operation takes a tree, the empty tree or a subtree's own handle: the emptiness test
// answers exactly 1 or 0; a subtree's root is the subtree's own top node; the print and the walk on
// a subtree, handed the empty tree as T, stay within the subtree and use no node of T.
TEST(BinAlbero, EmptyTreesAndSubtrees) {
    BINALBERO T = joined(joined(joined({}, 3, {}), 2, joined({}, 4, {})), 1, {});
    BINALBERO sub = FIGLIOSINISTRO(T);
    EXPECT_EQ(BINRADICE(CREABINALBERO()), nullptr) << "the empty tree's root";
    EXPECT_EQ(BINALBEROVUOTO(sub), 0) << "a subtree";
    EXPECT_EQ(BINRADICE(sub), sub) << "a subtree's root";
    EXPECT_EQ(printed([&] { STAMPALBEROBIN(sub, CREABINALBERO()); }), "\n\n2\n\n\n3\n\n\n4\n");
    AGGIUNGINODO(sub, CREABINALBERO(), 5);
    EXPECT_EQ(shape(T), "1(2(3(7,),4),)") << "the walk from a subtree";
    release(T);
}

} // namespace
