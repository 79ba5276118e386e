#include "lista.h"

#include "alloc_counter.h"
#include "lista_checks.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <deque>
#include <new>
#include <random>
#include <vector>

namespace {

using Elements = std::vector<int>;

// The position of the index-th element; index == size gives the sentinel.
posizione position_at(lista L, std::size_t index) {
    posizione p = primolista(L);
    for (std::size_t i = 0; i < index; ++i) {
        p = succlista(p);
    }
    return p;
}

TEST(Lista, NewListIsEmptyAndBothEndsAreTheSentinel) {
    const std::size_t before = alloc_counter::live();
    lista L = crealista();
    EXPECT_EQ(alloc_counter::live(), before + 1);
    EXPECT_EQ(listavuota(L), 1);
    EXPECT_EQ(primolista(L), L);
    EXPECT_EQ(ultimolista(L), L);
    EXPECT_EQ(finelista(primolista(L), L), 1);
    EXPECT_EQ(leggilista(L), 0);
    EXPECT_EQ(checked_contents(L), Elements{});

    // Deleting at the sentinel of an empty list releases nothing and moves nothing.
    posizione p = L;
    canclista(&p);
    EXPECT_EQ(p, L);
    EXPECT_EQ(alloc_counter::live(), before + 1);
    EXPECT_EQ(checked_contents(L), Elements{});
    release_list(L);
}

TEST(Lista, FailedInsertionLeavesListAndPositionUnchanged) {
    lista L = crealista();
    posizione primo = L;
    inslista(3, &primo);
    inslista(2, &primo);
    inslista(1, &primo);
    posizione p = succlista(primolista(L));
    alloc_counter::fail_after(0);
    EXPECT_THROW(inslista(9, &p), std::bad_alloc);
    EXPECT_EQ(p, succlista(primolista(L)));
    EXPECT_EQ(checked_contents(L), (Elements{1, 2, 3}));
    release_list(L);
}

// Long random runs of insertions, deletions and writes at random positions, the sentinel
// included, each followed by a full check of the ring against a deque. Each insertion makes one
// allocation and leaves the position at the new cell; each deletion makes one release and leaves
// the position at the next cell, the sentinel after the last element.
TEST(Lista, RandomEditsMatchDequeModel) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 rng(seed);
        lista L = crealista();
        std::deque<int> model;
        for (int step = 0; step < 400; ++step) {
            const auto operation = std::uniform_int_distribution<int>(0, 9)(rng);
            const int value = std::uniform_int_distribution<int>(-1000, 1000)(rng);
            const std::size_t made = alloc_counter::made();
            const std::size_t live = alloc_counter::live();
            if (operation < 5 || model.empty()) {
                const auto index = std::uniform_int_distribution<std::size_t>(0, model.size())(rng);
                posizione p = position_at(L, index);
                inslista(value, &p);
                ASSERT_EQ(alloc_counter::made(), made + 1);
                ASSERT_EQ(p, position_at(L, index));
                ASSERT_EQ(leggilista(p), value);
                model.insert(model.begin() + static_cast<std::ptrdiff_t>(index), value);
            } else if (operation < 9) {
                const auto index =
                    std::uniform_int_distribution<std::size_t>(0, model.size() - 1)(rng);
                posizione p = position_at(L, index);
                canclista(&p);
                ASSERT_EQ(alloc_counter::live(), live - 1);
                ASSERT_EQ(p, position_at(L, index));
                model.erase(model.begin() + static_cast<std::ptrdiff_t>(index));
            } else {
                // Writing at the sentinel (index == size) changes no element.
                const auto index = std::uniform_int_distribution<std::size_t>(0, model.size())(rng);
                scrivilista(value, position_at(L, index));
                ASSERT_EQ(leggilista(position_at(L, index)), value);
                ASSERT_EQ(alloc_counter::made(), made);
                if (index < model.size()) {
                    model[index] = value;
                }
            }
            ASSERT_EQ(checked_contents(L), Elements(model.begin(), model.end())) << "step " << step;
        }
        release_list(L);
    }
}

} // namespace
