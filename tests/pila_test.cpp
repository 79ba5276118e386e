#include "pila.h"

#include "alloc_counter.h"
#include "lista_checks.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace {

using Elements = std::vector<int>;

std::string destroy_and_capture(pila S) {
    testing::internal::CaptureStdout();
    distruggipila(S);
    return testing::internal::GetCapturedStdout();
}

TEST(Pila, EmptyStackReadsZeroAndIgnoresPop) {
    pila S = creapila();
    const std::size_t before = alloc_counter::live();
    EXPECT_EQ(leggipila(S), 0);
    fuoripila(S);
    EXPECT_EQ(alloc_counter::live(), before) << "the sentinel must never be released by a pop";
    EXPECT_EQ(pilavuota(S), 1);
    inpila(5, S);
    EXPECT_EQ(leggipila(S), 5);
    fuoripila(S);
    EXPECT_EQ(destroy_and_capture(S), "");
}

TEST(Pila, DestroyRefusesNonEmptyStackAndReleasesEmptyOne) {
    const std::size_t before = alloc_counter::live();
    pila S = creapila();
    inpila(7, S);
    EXPECT_EQ(destroy_and_capture(S), "ERRORE: stai provando a distruggere una pila non vuota\n");
    EXPECT_EQ(alloc_counter::live(), before + 2);
    EXPECT_EQ(leggipila(S), 7);
    fuoripila(S);
    EXPECT_EQ(pilavuota(S), 1);
    EXPECT_EQ(destroy_and_capture(S), "");
    EXPECT_EQ(alloc_counter::live(), before);
}

// Random pushes and pops against a vector used as a stack: each push makes one allocation and
// each pop one release.
TEST(Pila, RandomPushesAndPopsMatchVectorModel) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 rng(seed);
        pila S = creapila();
        Elements model;
        for (int step = 0; step < 500; ++step) {
            const std::size_t made = alloc_counter::made();
            const std::size_t live = alloc_counter::live();
            if (model.empty() || std::bernoulli_distribution(0.55)(rng)) {
                const int x = std::uniform_int_distribution<int>(-50, 50)(rng);
                inpila(x, S);
                ASSERT_EQ(alloc_counter::made(), made + 1);
                model.push_back(x);
            } else {
                ASSERT_EQ(leggipila(S), model.back());
                fuoripila(S);
                ASSERT_EQ(alloc_counter::live(), live - 1);
                model.pop_back();
            }
            ASSERT_EQ(checked_contents(S), model) << "step " << step;
        }
        release_list(S);
    }
}

} // namespace
