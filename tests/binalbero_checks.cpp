#include "binalbero_checks.h"

#include <gtest/gtest.h>

namespace {

std::size_t checked_subtree_size(const NODO* u) {
    std::size_t size = 1;
    for (const NODO* child : {u->sinistro, u->destro}) {
        if (child != nullptr) {
            EXPECT_EQ(child->padre, u) << "child holding " << child->valore;
            size += checked_subtree_size(child);
        }
    }
    return size;
}

void walk(const NODO* u, bool pre, std::vector<int>& values) {
    if (u == nullptr) {
        return;
    }
    if (pre) {
        values.push_back(u->valore);
    }
    walk(u->sinistro, pre, values);
    walk(u->destro, pre, values);
    if (!pre) {
        values.push_back(u->valore);
    }
}

} // namespace

std::size_t checked_size(BINALBERO T) {
    if (T == nullptr) {
        return 0;
    }
    EXPECT_EQ(T->padre, nullptr) << "the root has a parent";
    return checked_subtree_size(T);
}

BINALBERO joined(BINALBERO left, int value, BINALBERO right) {
    CONSTRBINALBERO(&left, right);
    SCRIVINODO(value, left);
    return left;
}

BINALBERO leaf(int value) {
    return joined(CREABINALBERO(), value, CREABINALBERO());
}

std::vector<int> preorder(const NODO* u) {
    std::vector<int> values;
    walk(u, true, values);
    return values;
}

std::vector<int> postorder(const NODO* u) {
    std::vector<int> values;
    walk(u, false, values);
    return values;
}

std::string delete_capturing(NODO* u, BINALBERO* T) {
    testing::internal::CaptureStdout();
    CANCSOTTOBINALBERO(u, T);
    return testing::internal::GetCapturedStdout();
}
