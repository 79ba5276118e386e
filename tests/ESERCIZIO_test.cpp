#include "ESERCIZIO.h"

#include "alloc_counter.h"
#include "binalbero_checks.h"
#include "binalberorand.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <new>

namespace {

// u's left child, checked to be a new leaf below u.
const NODO* hung_leaf(const NODO* u) {
    const NODO* n = u->sinistro;
    EXPECT_NE(n, nullptr);
    if (n != nullptr) {
        EXPECT_EQ(n->padre, u);
        EXPECT_EQ(n->sinistro, nullptr);
        EXPECT_EQ(n->destro, nullptr);
    }
    return n;
}

TEST(AggiungiNodo, NodeWithoutLeftChildGetsOneLeafHoldingTheSum) {
    BINALBERO T = joined(CREABINALBERO(), 5, leaf(9));
    NODO* right = T->destro;
    AGGIUNGINODO(T, T, 7);
    EXPECT_EQ(hung_leaf(T)->valore, 7) << "the node's own value is not added";
    EXPECT_EQ(T->destro, right);
    EXPECT_EQ(right->sinistro, nullptr) << "a node without a left child is not walked";
    EXPECT_EQ(checked_size(T), 3U);
    delete_capturing(T, &T);
}

TEST(AggiungiNodo, WalkVisitsTheLeftChildAndItsRightChain) {
    // 1 with left child 10, whose right chain is 100, 1000; 2 is a left grandchild of 100.
    BINALBERO chain = joined(leaf(2), 100, leaf(1000));
    BINALBERO T = joined(joined(CREABINALBERO(), 10, chain), 1, CREABINALBERO());
    NODO* first = T->sinistro;
    NODO* last = chain->destro;
    NODO* grandchild = chain->sinistro;
    AGGIUNGINODO(T, T, 4);
    EXPECT_EQ(hung_leaf(first)->valore, 5);
    EXPECT_EQ(hung_leaf(last)->valore, 5);
    EXPECT_EQ(hung_leaf(grandchild)->valore, 105) << "the chain node's value joins the sum below";
    EXPECT_EQ(checked_size(T), 8U);
    delete_capturing(T, &T);
}

TEST(AggiungiNodo, SumsWrapAroundLikeTheThirtyTwoBitMachine) {
    BINALBERO T = joined(leaf(0), INT_MAX, CREABINALBERO());
    AGGIUNGINODO(T, T, 1);
    EXPECT_EQ(hung_leaf(T->sinistro)->valore, INT_MIN);
    delete_capturing(T, &T);
}

TEST(AggiungiNodo, FailedAllocationKeepsTheLeavesHungSoFar) {
    BINALBERO T = CREABINALBERO();
    INITBINALBERORAND(3, &T);
    alloc_counter::fail_after(2);
    EXPECT_THROW(AGGIUNGINODO(T, T, 0), std::bad_alloc);
    EXPECT_EQ(checked_size(T), 17U);
    delete_capturing(T, &T);
}

// On the program's tree the walk from the root reaches, below the root's left child, the four
// leaves of the left subtree and nothing else: the print is unchanged, since it does not
// descend below nodes with one child.
TEST(AggiungiNodo, DemoTreeGainsFourLeavesUnderTheLeftSubtree) {
    BINALBERO T = CREABINALBERO();
    INITBINALBERORAND(3, &T);
    testing::internal::CaptureStdout();
    STAMPALBEROBIN(T, T);
    const std::size_t before = alloc_counter::live();
    AGGIUNGINODO(T, T, 0);
    EXPECT_EQ(alloc_counter::live() - before, 4U);
    STAMPALBEROBIN(T, T);
    const std::string prints = testing::internal::GetCapturedStdout();
    EXPECT_EQ(prints.substr(0, prints.size() / 2), prints.substr(prints.size() / 2));

    EXPECT_EQ(checked_size(T), 19U);
    const NODO* a = T->sinistro;
    EXPECT_EQ(hung_leaf(a->sinistro->sinistro)->valore, 86 + 1782 + 819);
    EXPECT_EQ(hung_leaf(a->sinistro->destro)->valore, 86 + 1782);
    EXPECT_EQ(hung_leaf(a->destro->sinistro)->valore, 86 + 819);
    EXPECT_EQ(hung_leaf(a->destro->destro)->valore, 86);
    EXPECT_EQ(preorder(T->destro).size(), 7U) << "the right subtree is untouched";
    delete_capturing(T, &T);
}

} // namespace
