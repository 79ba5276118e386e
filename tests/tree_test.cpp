#include "ESERCIZIO.h"
#include "binalberorand.h"
#include "heap.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The invariant checker: u has the given parent and every child's padre is its parent. Returns
// the subtree written out as "value(left,right)", a leaf as its value alone, empty as "". It reads
// the tree through its accessors, and so checks them too.
std::string shape(NODO* u, NODO* parent = nullptr) {
    if (u == nullptr) {
        return "";
    }
    EXPECT_EQ(BINPADRE(u), parent) << "at the node holding " << LEGGINODO(u);
    std::string text = std::to_string(LEGGINODO(u));
    if (SINISTROVUOTO(u) != 1 || DESTROVUOTO(u) != 1) {
        text += "(" + shape(FIGLIOSINISTRO(u), u) + "," + shape(FIGLIODESTRO(u), u) + ")";
    }
    return text;
}

BINALBERO joined(BINALBERO left, int value, BINALBERO right) {
    CONSTRBINALBERO(&left, right);
    SCRIVINODO(value, left);
    return left;
}

// Joins link parents and children; a new node holds 0. The walk hangs a new leaf holding the
// running sum under the node it starts from if that has no left child; else it walks each node
// of its left child's right chain, adding the start node's value to the sum, which wraps around
// at the limits of int. The print shows a node, then its left subtree, then its right one, and
// stops at a node with one child. A deletion prints its nodes in postorder, left subtree first,
// and the root of the tree it is handed as such, frees them and empties the link from the
// subtree's parent, even when handed the subtree itself as the tree.
TEST(BinAlbero, JoinWalkDeleteAndBuildAtRandom) {
    const std::size_t before = live_blocks;
    BINALBERO T = CREABINALBERO();
    CONSTRBINALBERO(&T, CREABINALBERO());
    EXPECT_EQ(BINALBEROVUOTO(T), 0);
    NODO* const v = joined(joined({}, 2, {}), 100, joined({}, 1000, {}));
    T = joined(joined(T, 10, v), 1, {});
    AGGIUNGINODO(BINRADICE(T), T, 4);
    EXPECT_EQ(shape(T), "1(10(0(15,),100(2(105,),1000(5,))),)");
    testing::internal::CaptureStdout();
    STAMPALBEROBIN(v, T);
    CANCSOTTOBINALBERO(v, &T);
    EXPECT_EQ(shape(T), "1(10(0(15,),),)");
    BINALBERO sub = FIGLIOSINISTRO(T);
    CANCSOTTOBINALBERO(sub, &sub);
    EXPECT_EQ(BINALBEROVUOTO(sub), 1) << "the subtree deleted through its own handle";
    EXPECT_EQ(shape(T), "1");
    CANCSOTTOBINALBERO(T, &T);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\n\n100\n\n\n2\n\n\n1000\n"
              "free nodo valoUre: 105\nfree nodo valoUre: 2\nfree nodo valoUre: 5\n"
              "free nodo valoUre: 1000\nfree nodo valoUre: 100\nfree nodo valoUre: 15\n"
              "free nodo valoUre: 0\nfree nodo radice valore: 10\nfree nodo radice valore: 1\n");
    EXPECT_EQ(BINALBEROVUOTO(T), 1) << "the tree deleted whole";
    EXPECT_EQ(live_blocks, before) << "blocks left once every node is deleted";

    // In the random complete tree of height 3 all nodes of one height hold one value, since every
    // call of the builder reseeds: from the first four values drawn, 403 in the leaves, then 819,
    // 1782 and 86. The walk from the root hangs four leaves under the leaves of its left subtree.
    INITBINALBERORAND(3, &T);
    AGGIUNGINODO(T, T, 0);
    EXPECT_EQ(shape(T), "86(1782(819(403(2687,),403(1868,)),819(403(905,),403(86,))),"
                        "1782(819(403,403),819(403,403)))");
    T = joined(joined({}, 0, {}), 2147483647, {});
    AGGIUNGINODO(T, T, 1);
    EXPECT_EQ(shape(T), "2147483647(0(-2147483648,),)");
}

} // namespace
