#include "ESERCIZIO.h"
#include "binalberorand.h"
#include "harness.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A case: a tree T, and a second one R for a join, built through their fields, and a node u of T.
struct Case {
    Built<NODO> b;
    BINALBERO T = nullptr;
    BINALBERO R = nullptr;
    NODO* u = nullptr;
};

std::string name(const Case& c, const NODO* u) {
    return c.b.name(
        u, [](const NODO* v) { return v->valore; }, "a released node");
}

// The tree at u written "value(left,right)", a leaf as its value alone, a node whose padre is not
// its parent followed by "[padre X]", as far as it can be read: the invariant checked at each node.
std::string tree(const Case& c, const NODO* u, const NODO* parent, int& budget) {
    if (u == nullptr || !c.b.readable(u) || --budget < 0) {
        return u == nullptr ? "" : budget < 0 ? "..." : name(c, u);
    }
    std::string text = name(c, u) + (u->padre == parent ? "" : "[padre " + name(c, u->padre) + "]");
    if (u->sinistro != nullptr || u->destro != nullptr) {
        text += "(" + tree(c, u->sinistro, u, budget) + ",";
        text += tree(c, u->destro, u, budget) + ")";
    }
    return text;
}

// A call takes the empty tree alone, a whole tree, a node u of one, or two trees to join.
enum Shape { empty, whole, at_u, two };

// The tree, R's handle for a join, u's node where the call takes u.
std::string state(const Case& c, int shape, bool /*after*/) {
    int budget = 30;
    return joined({"tree " + (c.T == nullptr ? "empty" : tree(c, c.T, nullptr, budget)),
                   shape == two ? "R " + name(c, c.R) : "",
                   shape == at_u ? "u at " + name(c, c.u) : ""});
}

// Builds the tree that a shape writes, "o(left,right)" with "" for no tree, values drawn at random.
// `at` is where the tree starts in the shape, and then where it ended.
NODO* grown(Case& c, std::string_view shape, std::size_t& at, NODO* parent) {
    if (at >= shape.size() || shape[at] != 'o') {
        return nullptr;
    }
    const auto v = static_cast<int>(draws() % 90 + 10 * (c.b.records.size() + 1));
    NODO* u = c.b.add(v);
    *u = NODO{v, parent, nullptr, nullptr};
    if (++at < shape.size() && shape[at] == '(') {
        u->sinistro = grown(c, shape, ++at, u);
        u->destro = grown(c, shape, ++at, u);
        ++at;
    }
    return u;
}

// Every tree of up to 3 nodes, smallest first, with u at each node for at_u; for two, every two
// trees of up to 2 nodes; the empty tree alone for empty. Half the values of x are close enough to
// the limit of int for a sum to wrap around.
std::vector<Case> cases(const Op<Case>& op) {
    const std::array<const char*, 9> shapes{
        "", "o", "o(o,)", "o(,o)", "o(o,o)", "o(o(o,),)", "o(o(,o),)", "o(,o(o,))", "o(,o(,o))"};
    const std::size_t trees = op.shape == empty ? 1 : op.shape == two ? 4 : shapes.size();
    std::vector<Case> all;
    for (std::size_t k = op.shape == at_u ? 1 : 0; k < trees * (op.shape == two ? trees : 1); ++k) {
        const std::string shape = op.shape == at_u ? shapes.at(k) : "o";
        for (std::size_t i = 0;
             i < static_cast<std::size_t>(std::count(shape.begin(), shape.end(), 'o')); ++i) {
            Case& c = all.emplace_back();
            std::size_t left = 0;
            std::size_t right = 0;
            c.T = grown(c, shapes.at(op.shape == two ? k / trees : k), left, nullptr);
            c.R = grown(c, shapes.at(op.shape == two ? k % trees : 0), right, nullptr);
            c.u = c.b.records.empty() ? nullptr : static_cast<NODO*>(c.b.records[i]);
            c.b.x = static_cast<int>(draws() % 900 + 100) + (draws() % 2 == 0 ? 0 : 2147482600);
        }
    }
    return all;
}

// u deleted through T, through a copy of its own link, or through its parent's link to it.
std::string deleted(Case& c, int way) {
    BINALBERO copy = c.u;
    NODO* p = c.u->padre;
    BINALBERO* handle = way == 0             ? &c.T
                        : way == 1           ? &copy
                        : p == nullptr       ? nullptr
                        : p->sinistro == c.u ? &p->sinistro
                                             : &p->destro;
    if (handle == nullptr) {
        return "not tried";
    }
    const bool root = c.T == c.u;
    const std::string lines = printed([&] { CANCSOTTOBINALBERO(c.u, handle); });
    // A whole tree deleted through a copy of its root's link leaves T with that copy.
    c.T = root && way == 1 ? copy : c.T;
    return joined({lines, way == 1 ? "the copy " + name(c, copy) : ""});
}

std::string built_at_random(Case& c, int h) {
    INITBINALBERORAND(h, &c.T);
    return "";
}

const std::vector<Op<Case>> ops{
    {"binalbero", "BINALBEROVUOTO(CREABINALBERO())", empty,
     [](Case&) { return returns(BINALBEROVUOTO(CREABINALBERO())); }},
    {"binalbero", "BINALBEROVUOTO(T)", whole, [](Case& c) { return returns(BINALBEROVUOTO(c.T)); }},
    {"binalbero", "BINRADICE(T)", whole,
     [](Case& c) { return "returns " + name(c, BINRADICE(c.T)); }},
    {"binalbero", "BINPADRE(u)", at_u, [](Case& c) { return "returns " + name(c, BINPADRE(c.u)); }},
    {"binalbero", "FIGLIOSINISTRO(u)", at_u,
     [](Case& c) { return "returns " + name(c, FIGLIOSINISTRO(c.u)); }},
    {"binalbero", "FIGLIODESTRO(u)", at_u,
     [](Case& c) { return "returns " + name(c, FIGLIODESTRO(c.u)); }},
    {"binalbero", "SINISTROVUOTO(u)", at_u, [](Case& c) { return returns(SINISTROVUOTO(c.u)); }},
    {"binalbero", "DESTROVUOTO(u)", at_u, [](Case& c) { return returns(DESTROVUOTO(c.u)); }},
    {"binalbero", "CONSTRBINALBERO(&L, R)", two,
     [](Case& c) { return CONSTRBINALBERO(&c.T, c.R), std::string(); }},
    {"binalbero", "CONSTRBINALBERO(&L, R) with the heap exhausted", two,
     [](Case& c) { return CONSTRBINALBERO(&c.T, c.R), std::string(); }, 0},
    {"binalbero", "LEGGINODO(u)", at_u, [](Case& c) { return returns(LEGGINODO(c.u)); }},
    {"binalbero", "SCRIVINODO(x, u)", at_u,
     [](Case& c) { return SCRIVINODO(c.b.x, c.u), std::string(); }},
    {"binalbero", "CANCSOTTOBINALBERO(u, &T)", at_u, [](Case& c) { return deleted(c, 0); }},
    {"binalbero", "CANCSOTTOBINALBERO(u, &copy), copy = u", at_u,
     [](Case& c) { return deleted(c, 1); }},
    {"binalbero", "CANCSOTTOBINALBERO(u, &its parent's link)", at_u,
     [](Case& c) { return deleted(c, 2); }},
    {"binalberorand", "INITBINALBERORAND(-1, &T)", whole,
     [](Case& c) { return built_at_random(c, -1); }},
    {"binalberorand", "INITBINALBERORAND(0, &T)", whole,
     [](Case& c) { return built_at_random(c, 0); }},
    {"binalberorand", "INITBINALBERORAND(1, &T)", whole,
     [](Case& c) { return built_at_random(c, 1); }},
    {"binalberorand", "INITBINALBERORAND(3, &T)", empty,
     [](Case& c) { return built_at_random(c, 3); }},
    {"binalberorand", "STAMPALBEROBIN(u, CREABINALBERO())", at_u,
     [](Case& c) { return printed([&] { STAMPALBEROBIN(c.u, CREABINALBERO()); }); }},
    {"ESERCIZIO", "AGGIUNGINODO(u, CREABINALBERO(), x)", at_u,
     [](Case& c) { return AGGIUNGINODO(c.u, CREABINALBERO(), c.b.x), std::string(); }},
    {"ESERCIZIO", "AGGIUNGINODO(u, CREABINALBERO(), x) with the second allocation failing", at_u,
     [](Case& c) { return AGGIUNGINODO(c.u, CREABINALBERO(), c.b.x), std::string(); }, 1},
};

// int_rand(a, b) is a + r mod (b - a + 1), r the next value of the 32-bit Windows C runtime's
// generator, over ranges of one value, narrow, wide and whole, at random, near 0 and at either
// limit of int. The builder reseeds, and draws the first value.
std::vector<std::string> drawn() {
    BINALBERO T = CREABINALBERO();
    INITBINALBERORAND(0, &T);
    std::free(T);
    std::uint32_t state = 15612U * 214013U + 2531011U;
    const std::int64_t least = -2147483647 - 1;
    const std::int64_t most = 2147483647;
    for (std::size_t k = 0; k < 4000; ++k) {
        const auto i = static_cast<std::int64_t>(k);
        const auto r = static_cast<std::int64_t>(draws());
        const std::int64_t a = std::array{least + r, least + i, most - i, i % 7 - 3}.at(k % 4);
        const std::int64_t width =
            std::array{std::int64_t{1}, 2 + i % 40, 32767 + i % 3, r + 1}.at(k / 4 % 4);
        const std::int64_t b = std::min(most, a + width - 1);
        state = state * 214013U + 2531011U;
        const std::int64_t expected = a + ((state >> 16U) & 0x7fffU) % (b - a + 1);
        const int found = int_rand(static_cast<int>(a), static_cast<int>(b));
        if (found != expected) {
            return {"int_rand(" + std::to_string(a) + ", " + std::to_string(b) + "), draw " +
                    std::to_string(k + 2) + " => " + returns(found)};
        }
    }
    return {"int_rand(a, b) over 4000 ranges => as the generator draws"};
}

// A test for each operation, named after its header and itself (binalbero.BINPADRE), and one for
// int_rand.
const bool registered = add_tests(ops) && add_test("binalberorand", "int_rand", drawn);

} // namespace
