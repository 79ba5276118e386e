#include "checks.h"
#include "torredihanoi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A cell as the model knows it: the value it was built or made with, the value it holds, and
// whether the call made it. It is named as named() says, the sentinel as "sentinel(0)".
struct Cell {
    int was;
    int is;
    bool fresh;
};
using Ring = std::vector<Cell>; // the sentinel first, then the elements in order

std::string name(const Cell& c, bool sentinel) {
    const std::string value = named(c.was, c.is, c.fresh);
    return sentinel && !c.fresh ? "sentinel(" + value + ")" : value;
}

// The sentinel is the ring's first cell, and a list's handle.
std::string name(const Built<cella>& b, const cella* c, bool sentinel) {
    const std::string value = named(
        b, c, +[](const cella* r) { return r->elem; }, "a released cell");
    return sentinel && holds(b.records, c) && readable(b, c) ? "sentinel(" + value + ")" : value;
}

std::string name(const Built<cella>& b, const cella* c) {
    return name(b, c, c == b.records[0]);
}

// The ring from its sentinel, each cell's pred checked, as far as it is whole.
std::string ring(const Built<cella>& b, const cella* s) {
    std::string text = name(b, s, true);
    const cella* before = s;
    for (int k = 0; readable(b, s) && k < 8; ++k) {
        const cella* c = before->succ;
        if (!readable(b, c) || c->pred != before) {
            return text + " | broken: " + name(b, before) + "'s succ leads to " + name(b, c) +
                   (readable(b, c) ? ", whose pred is " + name(b, c->pred) : "");
        }
        if (c == s) {
            return text;
        }
        text += " " + name(b, c);
        before = c;
    }
    return text + (readable(b, s) ? " ..." : "");
}

std::string ring(const Ring& m) {
    std::string text = m.empty() ? "a released cell" : name(m[0], true);
    for (std::size_t k = 1; k < m.size(); ++k) {
        text += " " + name(m[k], false);
    }
    return text;
}

std::string drawn(const std::string& label, const Built<cella>& b, const cella* s) {
    return dump("lista " + label, b, s, [](const cella* c, auto id) {
        return id(c->pred) + " " + std::to_string(c->elem) + " " + id(c->succ);
    });
}

// A ring of n elements built through its fields, values drawn at random, the sentinel's too.
Built<cella> built(std::size_t n) {
    Built<cella> b;
    for (std::size_t k = 0; k <= n; ++k) {
        b.records.push_back(record<cella>());
        b.values.push_back(static_cast<int>(draws() % 90 + 10 * k));
        b.records[k]->elem = b.values[k];
    }
    for (std::size_t k = 0; k <= n; ++k) {
        b.records[k]->succ = b.records[(k + 1) % (n + 1)];
        b.records[k]->pred = b.records[(k + n) % (n + 1)];
    }
    return b;
}

Ring model(const Built<cella>& b) {
    Ring m;
    for (int v : b.values) {
        m.push_back(Cell{v, v, false});
    }
    return m;
}

// The blocks that turning the model `was` into `m` allocates and releases.
std::string heap_change(std::size_t was, const Ring& m) {
    const auto fresh = static_cast<std::size_t>(
        std::count_if(m.begin(), m.end(), [](const Cell& c) { return c.fresh; }));
    return heap_words(fresh, was + fresh - m.size());
}

// Tries a call on rings of 0 to 3 elements, at each position when `at_p` (0 is the sentinel),
// else with p at the sentinel. op(b, p, x) makes the call on the ring b and says what it
// returned; fix(m, i, x) does the same on the model, the position as an index. In `call`, x
// stands for the call's value.
template <class Op, class Fix> void each_ring(const std::string& call, bool at_p, Op op, Fix fix) {
    for (std::size_t n = 0; n <= 3; ++n) {
        for (std::size_t i = 0; i <= (at_p ? n : 0); ++i) {
            const auto x = static_cast<int>(draws() % 900 + 100);
            Built<cella> b = built(n);
            const lista L = b.records[0];
            posizione p = b.records[i];
            std::string words = call;
            if (words.find("(x") != std::string::npos) {
                words.replace(words.find("(x") + 1, 1, std::to_string(x));
            }
            words += (at_p ? ", p at " + name(b, p) : "") + ", on the list " + ring(b, L);
            const std::string before = drawn("before", b, L);
            Ring m = model(b);
            std::size_t at = i; // the model's position
            const std::string returned = fix(m, at, x);
            const std::string done = watched(words, [&] { return op(b, p, x); });
            // Where the heap is not counted, a released sentinel cannot be told, nor read.
            const bool gone = m.empty() && !heap_counted;
            const std::string found = joined(
                {"list " + (gone ? ring(m) : ring(b, L)), at_p ? "p at " + name(b, p) : "", done});
            const std::string expected =
                joined({"list " + ring(m), at_p ? "p at " + name(m[at], at == 0) : "", returned,
                        heap_change(b.records.size(), m)});
            if (found != expected) {
                report(words, expected, found, before + drawn("after", b, L));
                release(b);
                return;
            }
            release(b);
        }
    }
}

std::string returns(int value) {
    return "returns " + std::to_string(value);
}

std::string returns(const Built<cella>& b, const cella* c) {
    return "returns " + name(b, c);
}

// A new list or stack: its sentinel alone, holding 0, in one allocation.
void check_new(const std::string& call, lista (*make)()) {
    Built<cella> b{{nullptr}, {0}};
    const std::string done = watched(call, [&] {
        b.records[0] = make();
        return std::string();
    });
    const std::string found = joined({"list " + ring(b, b.records[0]), done});
    const std::string expected = joined({"list sentinel(0)", heap_words(1, 0)});
    if (found != expected) {
        report(call, expected, found, drawn("after", b, b.records[0]));
    }
    release(b);
}

TEST(lista, crealista) {
    check_new("crealista()", crealista);
}

TEST(lista, listavuota) {
    each_ring(
        "listavuota(L)", false,
        [](auto& b, auto&, int) { return returns(listavuota(b.records[0])); },
        [](Ring& m, auto, int) { return returns(m.size() == 1 ? 1 : 0); });
}

// Also where the heap is exhausted: then the list is left as it was.
TEST(lista, inslista) {
    for (int fails = 0; fails <= (heap_counted ? 1 : 0); ++fails) {
        each_ring(
            fails == 0 ? "inslista(x, &p)" : "inslista(x, &p) with the heap exhausted", true,
            [fails](auto&, posizione& p, int x) {
                allocations_until_failure = fails - 1;
                inslista(x, &p);
                return std::string();
            },
            [fails](Ring& m, std::size_t& i, int x) {
                if (fails == 1) {
                    return std::string("threw std::bad_alloc");
                }
                i = i == 0 ? m.size() : i;
                m.insert(m.begin() + static_cast<std::ptrdiff_t>(i), Cell{x, x, true});
                return std::string();
            });
    }
}

TEST(lista, primolista) {
    each_ring(
        "primolista(L)", false,
        [](auto& b, auto&, int) { return returns(b, primolista(b.records[0])); },
        [](Ring& m, auto, int) {
            return "returns " + name(m[m.size() > 1 ? 1 : 0], m.size() == 1);
        });
}

TEST(lista, ultimolista) {
    each_ring(
        "ultimolista(L)", false,
        [](auto& b, auto&, int) { return returns(b, ultimolista(b.records[0])); },
        [](Ring& m, auto, int) { return "returns " + name(m.back(), m.size() == 1); });
}

TEST(lista, succlista) {
    each_ring(
        "succlista(p)", true, [](auto& b, posizione& p, int) { return returns(b, succlista(p)); },
        [](Ring& m, std::size_t i, int) {
            return "returns " + name(m[(i + 1) % m.size()], (i + 1) % m.size() == 0);
        });
}

TEST(lista, predlista) {
    each_ring(
        "predlista(p)", true, [](auto& b, posizione& p, int) { return returns(b, predlista(p)); },
        [](Ring& m, std::size_t i, int) {
            const std::size_t before = (i + m.size() - 1) % m.size();
            return "returns " + name(m[before], before == 0);
        });
}

TEST(lista, finelista) {
    each_ring(
        "finelista(p, L)", true,
        [](auto& b, posizione& p, int) { return returns(finelista(p, b.records[0])); },
        [](Ring&, std::size_t i, int) { return returns(i == 0 ? 1 : 0); });
}

TEST(lista, leggilista) {
    each_ring(
        "leggilista(p)", true, [](auto&, posizione& p, int) { return returns(leggilista(p)); },
        [](Ring& m, std::size_t i, int) { return returns(m[i].is); });
}

TEST(lista, scrivilista) {
    each_ring(
        "scrivilista(x, p)", true,
        [](auto&, posizione& p, int x) {
            scrivilista(x, p);
            return std::string();
        },
        [](Ring& m, std::size_t i, int x) {
            m[i].is = x;
            return std::string();
        });
}

// Not at a non-empty list's sentinel, which must not be passed.
TEST(lista, canclista) {
    each_ring(
        "canclista(&p)", true,
        [](auto& b, posizione& p, int) {
            if (p == b.records[0] && b.records.size() > 1) {
                return std::string("not tried");
            }
            canclista(&p);
            return std::string();
        },
        [](Ring& m, std::size_t& i, int) {
            if (i == 0) {
                return std::string(m.size() > 1 ? "not tried" : "");
            }
            m.erase(m.begin() + static_cast<std::ptrdiff_t>(i));
            i %= m.size();
            return std::string();
        });
}

TEST(pila, creapila) {
    check_new("creapila()", creapila);
}

TEST(pila, pilavuota) {
    each_ring(
        "pilavuota(S)", false, [](auto& b, auto&, int) { return returns(pilavuota(b.records[0])); },
        [](Ring& m, auto, int) { return returns(m.size() == 1 ? 1 : 0); });
}

TEST(pila, leggipila) {
    each_ring(
        "leggipila(S)", false, [](auto& b, auto&, int) { return returns(leggipila(b.records[0])); },
        [](Ring& m, auto, int) { return returns(m.back().is); });
}

TEST(pila, inpila) {
    each_ring(
        "inpila(x, S)", false,
        [](auto& b, auto&, int x) {
            inpila(x, b.records[0]);
            return std::string();
        },
        [](Ring& m, auto, int x) {
            m.push_back(Cell{x, x, true});
            return std::string();
        });
}

TEST(pila, fuoripila) {
    each_ring(
        "fuoripila(S)", false,
        [](auto& b, auto&, int) {
            fuoripila(b.records[0]);
            return std::string();
        },
        [](Ring& m, auto, int) {
            m.resize(std::max<std::size_t>(m.size() - 1, 1));
            return std::string();
        });
}

TEST(pila, distruggipila) {
    each_ring(
        "distruggipila(S)", false,
        [](auto& b, auto&, int) {
            return "prints \"" + printed([&] { distruggipila(b.records[0]); }) + "\"";
        },
        [](Ring& m, auto, int) {
            const bool empty = m.size() == 1;
            m.resize(empty ? 0 : m.size());
            return "prints \"" +
                   std::string(empty ? ""
                                     : "ERRORE: stai provando a distruggere una pila non vuota\n") +
                   "\"";
        });
}

// The disks of muovidisco's pegs are drawn at random: the move does not look at their sizes. The
// disk is pushed onto `to` before it is popped from `from`, so `from` is whole when the move
// allocates.
const Built<cella>* pegs_built = nullptr;
std::string from_when_allocating;

TEST(torredihanoi, muovidisco) {
    at_allocation = [] { from_when_allocating = ring(*pegs_built, pegs_built->records[0]); };
    for (std::size_t n = 1; n <= 3; ++n) {
        for (std::size_t k = 0; k <= 2; ++k) {
            // Both pegs' cells in one, so that a cell that moves between them keeps its name.
            Built<cella> both = built(n);
            const Built<cella> to = built(k);
            const std::size_t t = both.records.size();
            both.records.insert(both.records.end(), to.records.begin(), to.records.end());
            both.values.insert(both.values.end(), to.values.begin(), to.values.end());
            pegs_built = &both;
            const auto pegs = [&](const std::string& label) {
                return drawn("from" + label, both, both.records[0]) +
                       drawn("to" + label, both, both.records[t]);
            };
            Ring from = model(both);
            Ring onto(from.begin() + static_cast<std::ptrdiff_t>(t), from.end());
            from.resize(t);
            const std::string whole = ring(from);
            const std::string call = "muovidisco(from, to), from " + whole + ", to " + ring(onto);
            const std::string before = pegs("");
            from_when_allocating = "never";
            const std::string done = watched(call, [&] {
                muovidisco(both.records[0], both.records[t]);
                return std::string();
            });
            const std::string found =
                joined({"from " + ring(both, both.records[0]), "to " + ring(both, both.records[t]),
                        "from at the allocation " + from_when_allocating, done});
            onto.push_back(Cell{from.back().is, from.back().is, true});
            from.pop_back();
            const std::string expected =
                joined({"from " + ring(from), "to " + ring(onto), "from at the allocation " + whole,
                        heap_words(1, 1)});
            if (found != expected) {
                report(call, expected, found, before + pegs(" after"));
            }
            release(both);
        }
    }
    at_allocation = nullptr;
}

// The pegs of the tower, A, B and C, and the first state of them that broke a rule, seen at each
// allocation, which comes before each move.
std::vector<pila> pegs;
std::string broken_state;
int looks = 0;

// The disks on S, bottom to top, read through the cells' fields, at most 20.
std::vector<int> disks(pila S) {
    std::vector<int> found;
    for (const cella* c = S->succ; c != S && found.size() < 20; c = c->succ) {
        found.push_back(c->elem);
    }
    return found;
}

std::string words(const std::vector<int>& disks) {
    std::string text;
    for (int d : disks) {
        text += " " + std::to_string(d);
    }
    return text;
}

// Each of the nine disks on a peg exactly once, and on each peg every disk smaller than the one
// below it.
void look_at_pegs() {
    std::string state;
    std::vector<int> all;
    bool legal = true;
    for (std::size_t k = 0; k < pegs.size(); ++k) {
        const std::vector<int> peg = disks(pegs[k]);
        state += std::string(k == 0 ? "" : ",") + " " + "ABC"[k] + ":" + words(peg);
        legal = legal && std::is_sorted(peg.rbegin(), peg.rend()) &&
                std::adjacent_find(peg.begin(), peg.end()) == peg.end();
        all.insert(all.end(), peg.begin(), peg.end());
    }
    std::sort(all.begin(), all.end());
    legal = legal && all == std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9};
    if (!legal && broken_state.empty()) {
        broken_state = "before move " + std::to_string(looks + 1) + state;
    }
    ++looks;
}

} // namespace

// The deepest the solver's calls of itself went, where its source is compiled to report each call
// of a function and its return.
int solver_depth = 0;
int solver_deepest = 0;

#if CALLS_TRACED
// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp,cppcoreguidelines-pro-type-reinterpret-cast)
extern "C" void __cyg_profile_func_enter(void* function, void* /*call_site*/) {
    if (function == reinterpret_cast<void*>(&torredihanoi)) {
        solver_deepest = std::max(solver_deepest, ++solver_depth);
    }
}

extern "C" void __cyg_profile_func_exit(void* function, void* /*call_site*/) {
    solver_depth -= function == reinterpret_cast<void*>(&torredihanoi) ? 1 : 0;
}
// NOLINTEND(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp,cppcoreguidelines-pro-type-reinterpret-cast)
#endif

namespace {

// With disks 9 to 1 on A, torredihanoi(n, A, C, B) moves the n upper ones onto C in 2^n - 1
// moves, by calls of itself n deep, and no state between two moves breaks a rule. It moves
// nothing when n is 0 or below. The moves are seen where the heap is counted, the depth where
// the solver's calls are traced.
TEST(torredihanoi, torredihanoi) {
    for (int n = -1; n <= 8; ++n) {
        pegs = {creapila(), creapila(), creapila()};
        for (int d = 9; d > 0; --d) {
            inpila(d, pegs[0]);
        }
        const std::string call = "torredihanoi(" + std::to_string(n) +
                                 ", A, C, B) with A:" + words(disks(pegs[0])) +
                                 ", B empty, C empty";
        looks = 0;
        broken_state.clear();
        solver_deepest = 0;
        at_allocation = look_at_pegs;
        watched(call, [&] {
            torredihanoi(n, pegs[0], pegs[2], pegs[1]);
            return std::string();
        });
        at_allocation = nullptr;
        const int moved = std::max(n, 0);
        const std::string found =
            joined({"A:" + words(disks(pegs[0])) + ", B:" + words(disks(pegs[1])) +
                        ", C:" + words(disks(pegs[2])),
                    heap_counted ? std::to_string(looks) + " moves" : "",
                    CALLS_TRACED ? "calls " + std::to_string(solver_deepest) + " deep" : "",
                    broken_state.empty() ? "" : "a rule broken " + broken_state});
        const std::vector<int> tower{9, 8, 7, 6, 5, 4, 3, 2, 1};
        const auto split = tower.end() - moved;
        const std::string expected =
            joined({"A:" + words({tower.begin(), split}) + ", B:, C:" + words({split, tower.end()}),
                    heap_counted ? std::to_string((1 << moved) - 1) + " moves" : "",
                    CALLS_TRACED ? "calls " + std::to_string(std::max(n, 1)) + " deep" : ""});
        for (pila S : pegs) {
            while (pilavuota(S) == 0) {
                fuoripila(S);
            }
            distruggipila(S);
        }
        if (found != expected) {
            report(call, expected, found, "");
            return;
        }
    }
}

} // namespace
