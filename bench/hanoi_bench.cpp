#include "pila.h"
#include "torredihanoi.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

// Solves a tower of n disks back and forth between two pegs, reporting the time per move.
void solve_tower(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    pila from = creapila();
    pila via = creapila();
    pila to = creapila();
    for (int i = n; i > 0; --i) {
        inpila(i, from);
    }
    // The loop variable only counts the iterations, as the library intends.
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores)
        torredihanoi(n, from, to, via);
        pila solved = to;
        to = from;
        from = solved;
        benchmark::DoNotOptimize(leggipila(from));
    }
    const auto moves = static_cast<double>((std::int64_t{1} << n) - 1);
    state.counters["time_per_move"] = benchmark::Counter(
        moves, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    for (pila S : {from, via, to}) {
        while (pilavuota(S) == 0) {
            fuoripila(S);
        }
        distruggipila(S);
    }
}

BENCHMARK(solve_tower)->Arg(10)->Arg(14)->Arg(18)->Arg(22)->Unit(benchmark::kMillisecond);

} // namespace
