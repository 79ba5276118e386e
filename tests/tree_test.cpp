#include "ESERCIZIO.h"
#include "binalberorand.h"
#include "checks.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

// A node as the model knows it: its values as named() takes them, and its children as indices in
// the model's nodes, -1 for none.
struct Node {
    int was;
    int is;
    bool fresh;
    int left;
    int right;
};
using Tree = std::vector<Node>; // in preorder as built, the root first

// The trees of n nodes, every shape once, all values 0.
std::vector<Tree> shapes(int n) {
    if (n == 0) {
        return {Tree{}};
    }
    std::vector<Tree> all;
    for (int l = 0; l < n; ++l) {
        for (const Tree& left : shapes(l)) {
            for (const Tree& right : shapes(n - 1 - l)) {
                Tree t{Node{0, 0, false, left.empty() ? -1 : 1, right.empty() ? -1 : 1 + l}};
                for (const Tree* side : {&left, &right}) {
                    const int shift = side == &left ? 1 : 1 + l;
                    for (Node u : *side) {
                        u.left += u.left < 0 ? 0 : shift;
                        u.right += u.right < 0 ? 0 : shift;
                        t.push_back(u);
                    }
                }
                all.push_back(t);
            }
        }
    }
    return all;
}

std::string name(const Built<NODO>& b, const NODO* u) {
    return named(
        b, u, +[](const NODO* r) { return r->valore; }, "a released node");
}

// The tree at u written "value(left,right)", a leaf as its value alone, a node whose padre is not
// its parent followed by "[padre X]", as far as it can be read.
std::string tree(const Built<NODO>& b, const NODO* u, const NODO* parent, int& budget) {
    if (u == nullptr) {
        return "";
    }
    if (!readable(b, u) || --budget < 0) {
        return budget < 0 ? "..." : name(b, u);
    }
    std::string text = name(b, u) + (u->padre == parent ? "" : "[padre " + name(b, u->padre) + "]");
    if (u->sinistro != nullptr || u->destro != nullptr) {
        text += "(" + tree(b, u->sinistro, u, budget) + ",";
        text += tree(b, u->destro, u, budget) + ")";
    }
    return text;
}

std::string tree(const Built<NODO>& b, const NODO* u) {
    int budget = 30;
    return "tree " + tree(b, u, nullptr, budget);
}

std::string tree(const Tree& m, int k) {
    if (k < 0) {
        return "";
    }
    const Node& u = m[static_cast<std::size_t>(k)];
    std::string text = named(u.was, u.is, u.fresh);
    if (u.left >= 0 || u.right >= 0) {
        text += "(" + tree(m, u.left) + "," + tree(m, u.right) + ")";
    }
    return text;
}

// How many nodes of the model the call made, and how many it released: those no longer reached
// from any of the handles.
std::string heap_change(const Tree& m, std::initializer_list<int> handles) {
    std::size_t fresh = 0;
    std::size_t kept = 0;
    std::vector<int> waiting(handles);
    std::vector<bool> seen(m.size());
    while (!waiting.empty()) {
        const int k = waiting.back();
        waiting.pop_back();
        if (k >= 0 && !seen[static_cast<std::size_t>(k)]) {
            seen[static_cast<std::size_t>(k)] = true;
            const Node& u = m[static_cast<std::size_t>(k)];
            (u.fresh ? fresh : kept) += 1;
            waiting.insert(waiting.end(), {u.left, u.right});
        }
    }
    const auto built = static_cast<std::size_t>(
        std::count_if(m.begin(), m.end(), [](const Node& u) { return !u.fresh; }));
    return heap_words(fresh, built - kept);
}

std::string drawn(const std::string& label, const Built<NODO>& b, const NODO* root) {
    return dump("albero " + label, b, root, [](const NODO* u, auto id) {
        return std::to_string(u->valore) + " " + id(u->padre) + " " + id(u->sinistro) + " " +
               id(u->destro);
    });
}

// The model's nodes built through their fields, values drawn at random and written into the model.
Built<NODO> built(Tree& m) {
    Built<NODO> b;
    for (Node& u : m) {
        u.was = u.is = static_cast<int>(draws() % 90 + 10 * (b.records.size() + 1));
        b.records.push_back(record<NODO>());
        b.values.push_back(u.was);
        *b.records.back() = NODO{u.was, nullptr, nullptr, nullptr};
    }
    for (std::size_t k = 0; k < m.size(); ++k) {
        for (auto [child, link] :
             {std::pair{m[k].left, &NODO::sinistro}, {m[k].right, &NODO::destro}}) {
            if (child >= 0) {
                b.records[k]->*link = b.records[static_cast<std::size_t>(child)];
                b.records[static_cast<std::size_t>(child)]->padre = b.records[k];
            }
        }
    }
    return b;
}

// Tries a call on every tree of 0 to 3 nodes, at each node u when `at_u`, else at the root, and on
// the empty tree only when not `at_u`. op(b, T, u, x) makes the call on the tree T, whose handle
// it may change, and says what it returned; fix(m, root, u, x) does the same on the model, its
// nodes as indices. In `call`, x stands for the call's value.
template <class Op, class Fix> void each_tree(const std::string& call, bool at_u, Op op, Fix fix) {
    for (int n = at_u ? 1 : 0; n <= 3; ++n) {
        for (const Tree& shape : shapes(n)) {
            for (int u = 0; u < (at_u ? n : 1); ++u) {
                Tree m = shape;
                // Half the values are close enough to the limit of int for a sum to wrap around.
                const int x =
                    static_cast<int>(draws() % 900 + 100) + (draws() % 2 == 0 ? 0 : 2147482600);
                const Built<NODO> b = built(m);
                const auto k = static_cast<std::size_t>(u);
                BINALBERO T = b.records.empty() ? nullptr : b.records[0];
                NODO* node = b.records.empty() ? nullptr : b.records[k];
                std::string words = call;
                if (words.find("(x") != std::string::npos) {
                    words.replace(words.find("(x") + 1, 1, std::to_string(x));
                }
                words += (at_u ? ", u at " + name(b, node) : "") + ", on the " + tree(b, T);
                const std::string before = drawn("before", b, T);
                int root = n > 0 ? 0 : -1;
                const std::string returned = fix(m, root, u, x);
                const std::string done = watched(words, [&] { return op(b, T, node, x); });
                const std::string found = joined({tree(b, T), done});
                const std::string expected =
                    joined({"tree " + tree(m, root), returned, heap_change(m, {root})});
                if (found != expected) {
                    report(words, expected, found, before + drawn("after", b, T));
                    release(b);
                    return;
                }
                release(b);
            }
        }
    }
}

std::string returns(int value) {
    return "returns " + std::to_string(value);
}

std::string returns(const Built<NODO>& b, const NODO* u) {
    return "returns " + name(b, u);
}

std::string returns(const Tree& m, int k) {
    return "returns " + (k < 0 ? "nullptr"
                               : named(m[static_cast<std::size_t>(k)].was,
                                       m[static_cast<std::size_t>(k)].is, false));
}

// The node whose child is k, or -1.
int parent(const Tree& m, int k) {
    for (std::size_t p = 0; p < m.size(); ++p) {
        if (m[p].left == k || m[p].right == k) {
            return static_cast<int>(p);
        }
    }
    return -1;
}

// A test of CREABINALBERO alone would pass an empty body, which returns the empty link.
TEST(binalbero, BINALBEROVUOTO) {
    each_tree(
        "BINALBEROVUOTO(CREABINALBERO()), BINALBEROVUOTO(T)", false,
        [](auto&, BINALBERO& T, auto, int) {
            return returns(BINALBEROVUOTO(CREABINALBERO())) + ", " + returns(BINALBEROVUOTO(T));
        },
        [](Tree& m, auto, auto, int) { return returns(1) + ", " + returns(m.empty() ? 1 : 0); });
}

TEST(binalbero, BINRADICE) {
    each_tree(
        "BINRADICE(T)", false,
        [](auto& b, BINALBERO& T, auto, int) { return returns(b, BINRADICE(T)); },
        [](Tree& m, int root, auto, int) { return returns(m, root); });
}

TEST(binalbero, BINPADRE) {
    each_tree(
        "BINPADRE(u)", true, [](auto& b, auto&, NODO* u, int) { return returns(b, BINPADRE(u)); },
        [](Tree& m, auto, int u, int) { return returns(m, parent(m, u)); });
}

TEST(binalbero, FIGLIOSINISTRO) {
    each_tree(
        "FIGLIOSINISTRO(u)", true,
        [](auto& b, auto&, NODO* u, int) { return returns(b, FIGLIOSINISTRO(u)); },
        [](Tree& m, auto, int u, int) { return returns(m, m[static_cast<std::size_t>(u)].left); });
}

TEST(binalbero, FIGLIODESTRO) {
    each_tree(
        "FIGLIODESTRO(u)", true,
        [](auto& b, auto&, NODO* u, int) { return returns(b, FIGLIODESTRO(u)); },
        [](Tree& m, auto, int u, int) { return returns(m, m[static_cast<std::size_t>(u)].right); });
}

TEST(binalbero, SINISTROVUOTO) {
    each_tree(
        "SINISTROVUOTO(u)", true,
        [](auto&, auto&, NODO* u, int) { return returns(SINISTROVUOTO(u)); },
        [](Tree& m, auto, int u, int) {
            return returns(m[static_cast<std::size_t>(u)].left < 0 ? 1 : 0);
        });
}

TEST(binalbero, DESTROVUOTO) {
    each_tree(
        "DESTROVUOTO(u)", true, [](auto&, auto&, NODO* u, int) { return returns(DESTROVUOTO(u)); },
        [](Tree& m, auto, int u, int) {
            return returns(m[static_cast<std::size_t>(u)].right < 0 ? 1 : 0);
        });
}

TEST(binalbero, LEGGINODO) {
    each_tree(
        "LEGGINODO(u)", true, [](auto&, auto&, NODO* u, int) { return returns(LEGGINODO(u)); },
        [](Tree& m, auto, int u, int) { return returns(m[static_cast<std::size_t>(u)].is); });
}

TEST(binalbero, SCRIVINODO) {
    each_tree(
        "SCRIVINODO(x, u)", true,
        [](auto&, auto&, NODO* u, int x) {
            SCRIVINODO(x, u);
            return std::string();
        },
        [](Tree& m, auto, int u, int x) {
            m[static_cast<std::size_t>(u)].is = x;
            return std::string();
        });
}

// Joins every two trees of 0 to 2 nodes; also where the heap is exhausted, which leaves both as
// they were.
TEST(binalbero, CONSTRBINALBERO) {
    for (int fails = 0; fails <= (heap_counted ? 1 : 0); ++fails) {
        for (int l = 0; l <= 2; ++l) {
            for (const Tree& both : shapes(l + 1)) {
                // Two trees are the subtrees of a tree of one more node, which is left out.
                const int r = both[0].right;
                Tree m(both.begin() + 1, both.end());
                for (Node& u : m) {
                    u.left -= u.left < 0 ? 0 : 1;
                    u.right -= u.right < 0 ? 0 : 1;
                }
                const Built<NODO> b = built(m);
                const int left = both[0].left < 0 ? -1 : 0;
                const int right = r < 0 ? -1 : r - 1;
                const auto handle = [&](int k) {
                    return k < 0 ? nullptr : b.records[static_cast<std::size_t>(k)];
                };
                BINALBERO L = handle(left);
                BINALBERO R = handle(right);
                const std::string call =
                    std::string(fails == 1 ? "with the heap exhausted, " : "") +
                    "CONSTRBINALBERO(&L, R), L the " + tree(b, L) + ", R the " + tree(b, R);
                const std::string before = drawn("L", b, L) + drawn("R", b, R);
                const std::string done = watched(call, [&] {
                    allocations_until_failure = fails - 1;
                    CONSTRBINALBERO(&L, R);
                    return std::string();
                });
                const std::string found = joined({"L " + tree(b, L), "R " + name(b, R), done});
                int root = left;
                if (fails == 0) {
                    m.push_back(Node{0, 0, true, left, right});
                    root = static_cast<int>(m.size()) - 1;
                }
                const std::string expected = joined(
                    {"L tree " + tree(m, root), "R " + returns(m, right).substr(8),
                     fails == 1 ? "threw std::bad_alloc" : "", heap_change(m, {root, right})});
                if (found != expected) {
                    report(call, expected, found, before + drawn("L after", b, L));
                }
                release(b);
            }
        }
    }
}

// Each node deleted through the tree's handle, through a copy of its own link, and through its
// parent's link to it.
TEST(binalbero, CANCSOTTOBINALBERO) {
    for (const char* through : {"T", "a copy of u", "u's parent's link"}) {
        const std::string way(through);
        each_tree(
            "CANCSOTTOBINALBERO(u, &handle), the handle " + way, true,
            [way](auto& b, BINALBERO& T, NODO* u, int) {
                BINALBERO copy = u;
                NODO* p = u->padre;
                BINALBERO* handle = way == "T"             ? &T
                                    : way == "a copy of u" ? &copy
                                    : p == nullptr         ? nullptr
                                    : p->sinistro == u     ? &p->sinistro
                                                           : &p->destro;
                if (handle == nullptr) {
                    return std::string("not tried");
                }
                const bool whole = T == u;
                const std::string lines = printed([&] { CANCSOTTOBINALBERO(u, handle); });
                // A whole tree deleted through a copy of its root's link leaves the copy as T.
                T = whole && handle == &copy ? copy : T;
                return joined({"prints \"" + lines + "\"",
                               handle == &copy ? "the copy " + name(b, copy) : ""});
            },
            [way](Tree& m, int& root, int u, int) {
                const int p = parent(m, u);
                if (p < 0 && way == "u's parent's link") {
                    return std::string("not tried");
                }
                std::string lines;
                // Postorder: the children before their parent, the left subtree first.
                std::vector<std::pair<int, bool>> waiting{{u, false}};
                while (!waiting.empty()) {
                    auto [k, visited] = waiting.back();
                    waiting.pop_back();
                    const Node& node = m[static_cast<std::size_t>(k)];
                    if (visited) {
                        const bool top = k == u && (way != "T" || u == root);
                        lines +=
                            std::string(top ? "free nodo radice valore: " : "free nodo valoUre: ") +
                            std::to_string(node.is) + "\n";
                        continue;
                    }
                    waiting.emplace_back(k, true);
                    for (int child : {node.right, node.left}) {
                        if (child >= 0) {
                            waiting.emplace_back(child, false);
                        }
                    }
                }
                if (p >= 0) {
                    (m[static_cast<std::size_t>(p)].left == u
                         ? m[static_cast<std::size_t>(p)].left
                         : m[static_cast<std::size_t>(p)].right) = -1;
                }
                root = u == root && way != "u's parent's link" ? -1 : root;
                return joined(
                    {"prints \"" + lines + "\"", way == "a copy of u" ? "the copy nullptr" : ""});
            });
    }
}

// From each node, the tree handed as T being the empty tree, which the print never looks at.
TEST(binalberorand, STAMPALBEROBIN) {
    each_tree(
        "STAMPALBEROBIN(u, CREABINALBERO())", true,
        [](auto&, auto&, NODO* u, int) {
            return "prints \"" + printed([&] { STAMPALBEROBIN(u, nullptr); }) + "\"";
        },
        [](Tree& m, auto, int u, int) {
            const std::function<std::string(int)> print = [&](int k) {
                const Node& node = m[static_cast<std::size_t>(k)];
                const bool both = node.left >= 0 && node.right >= 0;
                return "\n\n" + std::to_string(node.is) + "\n" +
                       (both ? print(node.left) + print(node.right) : "");
            };
            return "prints \"" + print(u) + "\"";
        });
}

// a + b as the 32-bit machine adds, wrapping around at the limits of int.
int wrapped(int a, int b) {
    return static_cast<int>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// The walk on the model; false where the allocation that `allocations` counts down to fails.
bool walk(Tree& m, int u, int s, int& allocations) {
    if (m[static_cast<std::size_t>(u)].left < 0) {
        if (allocations-- == 0) {
            return false;
        }
        m.push_back(Node{s, s, true, -1, -1});
        m[static_cast<std::size_t>(u)].left = static_cast<int>(m.size()) - 1;
        return true;
    }
    for (int c = m[static_cast<std::size_t>(u)].left; c >= 0;
         c = m[static_cast<std::size_t>(c)].right) {
        if (!walk(m, c, wrapped(m[static_cast<std::size_t>(u)].is, s), allocations)) {
            return false;
        }
    }
    return true;
}

// From each node, the tree handed as T being the empty tree; also where the heap runs out at the
// walk's second leaf, and the first stays.
TEST(ESERCIZIO, AGGIUNGINODO) {
    for (int fails = 0; fails <= (heap_counted ? 1 : 0); ++fails) {
        each_tree(
            fails == 0 ? "AGGIUNGINODO(u, CREABINALBERO(), x)"
                       : "with the second allocation failing, AGGIUNGINODO(u, CREABINALBERO(), x)",
            true,
            [fails](auto&, auto&, NODO* u, int x) {
                allocations_until_failure = fails - 1 + fails;
                AGGIUNGINODO(u, nullptr, x);
                return std::string();
            },
            [fails](Tree& m, auto, int u, int x) {
                int allocations = fails == 0 ? -1 : 1;
                return std::string(walk(m, u, x, allocations) ? "" : "threw std::bad_alloc");
            });
    }
}

// Every call reseeds, so all nodes of one height hold one value: 403 in the leaves, then 819, 1782
// and 86. A tree already at the handle hangs under the leftmost new node; below 0, nothing.
TEST(binalberorand, INITBINALBERORAND) {
    for (int h = -1; h <= 3; ++h) {
        for (int under = 0; under <= 1; ++under) {
            Tree m(static_cast<std::size_t>(under), Node{0, 0, false, -1, -1});
            const Built<NODO> b = built(m);
            BINALBERO T = b.records.empty() ? nullptr : b.records[0];
            const std::string call =
                "INITBINALBERORAND(" + std::to_string(h) + ", &T), on the " + tree(b, T);
            const std::string done = watched(call, [&] {
                INITBINALBERORAND(h, &T);
                return std::string();
            });
            const std::function<std::string(int, bool)> full = [&](int k,
                                                                   bool leftmost) -> std::string {
                const std::string value =
                    named(std::array{403, 819, 1782, 86}.at(static_cast<std::size_t>(k)), 0, true);
                const std::string below = k > 0 ? full(k - 1, leftmost) + "," + full(k - 1, false)
                                          : leftmost && under == 1 ? tree(m, 0) + ","
                                                                   : "";
                return value.substr(0, value.find("->")) + (below.empty() ? "" : "(" + below + ")");
            };
            const std::string expected =
                joined({"tree " + (h < 0 ? tree(m, under - 1) : full(h, true)),
                        heap_words(h < 0 ? 0 : (2U << static_cast<unsigned>(h)) - 1, 0)});
            if (joined({tree(b, T), done}) != expected) {
                report(call, expected, joined({tree(b, T), done}), drawn("after", b, T));
            }
            release(b);
        }
    }
}

// int_rand(a, b) is a + r mod (b - a + 1), r the next value of the 32-bit Windows C runtime's
// generator, over ranges of one value, narrow, wide and whole, at random, near 0 and at either
// limit of int. The builder reseeds, and draws the first value.
TEST(binalberorand, int_rand) {
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
        const std::string call = "int_rand(" + std::to_string(a) + ", " + std::to_string(b) +
                                 "), the generator's draw " + std::to_string(k + 2) +
                                 " since INITBINALBERORAND";
        const int found = int_rand(static_cast<int>(a), static_cast<int>(b));
        if (found != expected) {
            report(call, returns(static_cast<int>(expected)), returns(found), "");
            return;
        }
    }
}

} // namespace
