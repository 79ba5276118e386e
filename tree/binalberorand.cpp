#include "binalberorand.h"

#include <cstdint>
#include <cstdio>
#include <random>

namespace {

// state = state * 214013 + 2531011 mod 2^32; each value is bits 16..30 of the new state.
std::linear_congruential_engine<std::uint32_t, 214013, 2531011, 0> generatore;

constexpr std::uint32_t seme = 15612;

int prossimo_valore() {
    return static_cast<int>((generatore() >> 16U) & 0x7fffU);
}

} // namespace

int int_rand(int a, int b) {
    // b - a + 1 reaches 2^32 for the widest range, so the sum is taken in 64 bits.
    const std::int64_t ampiezza = std::int64_t{b} - a + 1;
    return static_cast<int>(a + prossimo_valore() % ampiezza);
}

void INITBINALBERORAND(int h, BINALBERO* T) {
    if (h < 0) {
        return;
    }
    BINALBERO Q = CREABINALBERO();
    generatore.seed(seme);
    if (h == 0) {
        CONSTRBINALBERO(T, CREABINALBERO());
        SCRIVINODO(int_rand(1, 1050), *T);
        return;
    }
    INITBINALBERORAND(h - 1, T);
    INITBINALBERORAND(h - 1, &Q);
    CONSTRBINALBERO(T, Q);
    SCRIVINODO(int_rand(15, 2050), *T);
}

void STAMPALBEROBIN(NODO* u, BINALBERO T) {
    std::printf("\n\n%d\n", LEGGINODO(u));
    if (SINISTROVUOTO(u) == 0 && DESTROVUOTO(u) == 0) {
        STAMPALBEROBIN(FIGLIOSINISTRO(u), T);
        STAMPALBEROBIN(FIGLIODESTRO(u), T);
    }
}
