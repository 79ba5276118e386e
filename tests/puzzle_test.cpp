#include "harness.h"
#include "torredihanoi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

// A case: a list, or a peg, and a second one for a call on two, built through their fields; and a
// position p in the first.
struct Case {
    Built<cella> b; // the first list's cells, then the second's
    std::array<cella*, 2> lists{};
    posizione p = nullptr;
};

// A cell's name as Built names it, a sentinel's as "sentinel(0)".
std::string name(const Case& c, const cella* r) {
    const std::string value = c.b.name(
        r, [](const cella* v) { return v->elem; }, "a released cell");
    return c.b.readable(r) && (r == c.lists[0] || r == c.lists[1]) ? "sentinel(" + value + ")"
                                                                   : value;
}

// The ring from its sentinel s: the invariant checked at each cell, the cells named up to the
// first link that breaks it.
std::string ring(const Case& c, const cella* s) {
    std::string text = name(c, s);
    for (const cella* before = s; c.b.readable(s) && text.size() < 200;) {
        const cella* next = before->succ;
        if (!c.b.readable(next) || next->pred != before) {
            return text + " | broken: " + name(c, before) + "'s succ leads to " + name(c, next) +
                   (c.b.readable(next) ? ", whose pred is " + name(c, next->pred) : "");
        }
        if (next == s) {
            return text;
        }
        text += " " + name(c, next);
        before = next;
    }
    return text;
}

// A call makes a list (fresh), takes a list, a position p in it too, or two pegs.
enum Shape { fresh, list, at_p, two };

// The lists before or after the call, p's cell where it takes p.
std::string state(const Case& c, int shape, bool after) {
    if (shape == fresh) {
        return after ? "list " + ring(c, c.lists[0]) : "";
    }
    return joined({(shape == two ? "from " : "list ") + ring(c, c.lists[0]),
                   shape == two ? "to " + ring(c, c.lists[1]) : "",
                   shape == at_p ? "p at " + name(c, c.p) : ""});
}

// Lists of 0 to 3 elements, smallest first, with p at each position for at_p (the sentinel
// first), beside a second list of 0 to 2 for two; values drawn at random, the sentinels' too.
std::vector<Case> cases(const Op<Case>& op) {
    std::vector<Case> all;
    for (std::size_t n = 0; n <= (op.shape == fresh ? 0 : 3); ++n) {
        for (std::size_t k = 0; k <= (op.shape == two ? 2 : 0); ++k) {
            for (std::size_t i = 0; i <= (op.shape == at_p ? n : 0); ++i) {
                Case& c = all.emplace_back();
                for (std::size_t size : {n, k}) {
                    const std::size_t first = c.b.records.size();
                    for (std::size_t e = 0; e <= size; ++e) {
                        const auto v = static_cast<int>(draws() % 90 + 10 * e);
                        c.b.add(v)->elem = v;
                    }
                    for (std::size_t e = 0; e <= size; ++e) {
                        auto* cell = static_cast<cella*>(c.b.records[first + e]);
                        cell->succ = static_cast<cella*>(c.b.records[first + (e + 1) % (size + 1)]);
                        cell->pred =
                            static_cast<cella*>(c.b.records[first + (e + size) % (size + 1)]);
                    }
                    c.lists.at(first == 0 ? 0 : 1) = static_cast<cella*>(c.b.records[first]);
                }
                c.p = static_cast<cella*>(c.b.records[i]);
                c.b.x = static_cast<int>(draws() % 900 + 100);
            }
        }
    }
    return all;
}

// Not at a non-empty list's sentinel, which must not be passed.
std::string deleted(Case& c) {
    const bool allowed = c.p != c.lists[0] || c.p->succ == c.p;
    return allowed ? (canclista(&c.p), std::string()) : std::string("not tried");
}

// The disk is pushed onto `to` before it is popped from `from`, which is whole when the move
// allocates. The disks are drawn at random: the move does not look at their sizes.
const Case* moving = nullptr;
std::string from_when_allocating;

std::string moved(Case& c) {
    if (c.lists[0]->succ == c.lists[0]) {
        return "not tried";
    }
    moving = &c;
    from_when_allocating = "";
    at_allocation = [] {
        from_when_allocating = "from at the allocation " + ring(*moving, moving->lists[0]);
    };
    muovidisco(c.lists[0], c.lists[1]);
    at_allocation = nullptr;
    return from_when_allocating;
}

const std::vector<Op<Case>> ops{
    {"lista", "crealista()", fresh,
     [](Case& c) { return c.lists[0] = crealista(), std::string(); }},
    {"lista", "listavuota(L)", list, [](Case& c) { return returns(listavuota(c.lists[0])); }},
    {"lista", "inslista(x, &p)", at_p,
     [](Case& c) { return inslista(c.b.x, &c.p), std::string(); }},
    {"lista", "inslista(x, &p) with the heap exhausted", at_p,
     [](Case& c) { return inslista(c.b.x, &c.p), std::string(); }, 0},
    {"lista", "primolista(L)", list,
     [](Case& c) { return "returns " + name(c, primolista(c.lists[0])); }},
    {"lista", "ultimolista(L)", list,
     [](Case& c) { return "returns " + name(c, ultimolista(c.lists[0])); }},
    {"lista", "succlista(p)", at_p, [](Case& c) { return "returns " + name(c, succlista(c.p)); }},
    {"lista", "predlista(p)", at_p, [](Case& c) { return "returns " + name(c, predlista(c.p)); }},
    {"lista", "finelista(p, L)", at_p, [](Case& c) { return returns(finelista(c.p, c.lists[0])); }},
    {"lista", "leggilista(p)", at_p, [](Case& c) { return returns(leggilista(c.p)); }},
    {"lista", "scrivilista(x, p)", at_p,
     [](Case& c) { return scrivilista(c.b.x, c.p), std::string(); }},
    {"lista", "canclista(&p)", at_p, deleted},
    {"pila", "creapila()", fresh, [](Case& c) { return c.lists[0] = creapila(), std::string(); }},
    {"pila", "pilavuota(S)", list, [](Case& c) { return returns(pilavuota(c.lists[0])); }},
    {"pila", "leggipila(S)", list, [](Case& c) { return returns(leggipila(c.lists[0])); }},
    {"pila", "inpila(x, S)", list,
     [](Case& c) { return inpila(c.b.x, c.lists[0]), std::string(); }},
    {"pila", "inpila(x, S) with the heap exhausted", list,
     [](Case& c) { return inpila(c.b.x, c.lists[0]), std::string(); }, 0},
    {"pila", "fuoripila(S)", list, [](Case& c) { return fuoripila(c.lists[0]), std::string(); }},
    {"pila", "distruggipila(S)", list,
     [](Case& c) { return printed([&] { distruggipila(c.lists[0]); }); }},
    {"torredihanoi", "muovidisco(from, to)", two, moved},
};

// The tower's pegs, the disks on one read through the cells' fields, and the first state of them,
// seen before each move, that broke a rule: each of the nine disks on one peg, and on each peg each
// disk smaller than the one below it.
std::array<pila, 3> pegs;
std::string broken_state;
int moves = 0;

std::string disks(std::size_t k) {
    std::string found = std::string(k == 0 ? "" : ", ") + std::string("ABC").at(k) + ":";
    int count = 0;
    for (const cella* c = pegs.at(k)->succ; c != pegs.at(k) && ++count <= 20; c = c->succ) {
        found += " " + std::to_string(c->elem);
    }
    return found;
}

void look_at_pegs() {
    std::vector<int> all;
    bool legal = true;
    for (pila S : pegs) {
        for (const cella* c = S->succ; c != S && all.size() < 20; c = c->succ) {
            legal = legal && (c->pred == S || c->elem < c->pred->elem);
            all.push_back(c->elem);
        }
    }
    std::sort(all.begin(), all.end());
    legal = legal && all == std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9};
    ++moves;
    broken_state += legal || !broken_state.empty() ? ""
                                                   : "before move " + std::to_string(moves) + " " +
                                                         disks(0) + disks(1) + disks(2);
}

} // namespace

// How deep the solver's calls of itself went, where its source reports each call of a function
// and each return.
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

// With disks 9 to 1 on A, torredihanoi(n, A, C, B) for n from -1 to 8: the pegs after it, its
// moves (where the heap is counted) and how deep it called itself (where calls are traced).
std::vector<std::string> solved() {
    std::vector<std::string> found;
    for (int n = -1; n <= 8; ++n) {
        pegs = {creapila(), creapila(), creapila()};
        for (int d = 9; d > 0; --d) {
            inpila(d, pegs[0]);
        }
        const std::string call = "torredihanoi(" + std::to_string(n) + ", A, C, B), " + disks(0);
        moves = 0;
        broken_state.clear();
        solver_deepest = 0;
        at_allocation = look_at_pegs;
        on_malloc = [](void* /*block*/, std::size_t /*size*/) { at_allocation(); };
        torredihanoi(n, pegs[0], pegs[2], pegs[1]);
        on_malloc = nullptr;
        found.push_back(
            call + " => " +
            joined({disks(0) + disks(1) + disks(2),
                    heap_counted ? std::to_string(moves) + " moves" : "",
                    CALLS_TRACED ? "calls " + std::to_string(solver_deepest) + " deep" : "",
                    broken_state.empty() ? "" : "a rule broken " + broken_state}));
        for (pila S : pegs) {
            while (pilavuota(S) == 0) {
                fuoripila(S);
            }
            distruggipila(S);
        }
    }
    return found;
}

// A test for each operation, named after its header and itself (lista.inslista), and one for the
// solver.
const bool registered = add_tests(ops) && add_test("torredihanoi", "torredihanoi", solved);

} // namespace
