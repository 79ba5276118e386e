#include "lista_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>

namespace {

// A ring longer than this is taken to be broken rather than walked for ever.
constexpr std::size_t longest_ring = std::size_t{1} << 22U;

} // namespace

std::vector<int> checked_contents(lista L) {
    std::vector<int> forward;
    posizione c = L;
    do {
        EXPECT_EQ(c->succ->pred, c) << "at cell " << forward.size();
        EXPECT_EQ(c->pred->succ, c) << "at cell " << forward.size();
        if (c != L) {
            forward.push_back(c->elem);
        }
        c = c->succ;
    } while (c != L && forward.size() < longest_ring);
    EXPECT_EQ(c, L) << "the ring does not close";

    std::vector<int> backward;
    for (posizione p = ultimolista(L); finelista(p, L) == 0 && backward.size() < longest_ring;
         p = predlista(p)) {
        backward.push_back(leggilista(p));
    }
    std::reverse(backward.begin(), backward.end());
    EXPECT_EQ(backward, forward) << "backward walk disagrees with forward walk";
    EXPECT_EQ(listavuota(L), forward.empty() ? 1 : 0);
    return forward;
}

void release_list(lista L) {
    while (listavuota(L) == 0) {
        posizione p = primolista(L);
        canclista(&p);
    }
    std::free(L);
}
