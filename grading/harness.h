#ifndef GRADING_HARNESS_H
#define GRADING_HARNESS_H

#include "heap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <new>
#include <random>
#include <regex>
#include <string>
#include <utility>
#include <vector>

// The harness in which the unit tests, and the teacher's grader through them, run each operation
// of the headers. A test checks one operation on every small structure in turn, smallest first,
// each built through its records' fields, never through the operations under test, with values
// drawn at random from a fixed seed. For each case it writes one line: the call and the structure
// it was made on, then what the call left, returned, printed, allocated and released, in the words
// a student reads. The lines are compared with those expected, recorded in
// tests/expected/ops/<header>.<operation>.txt, and the first case that differs is reported, so
// that tools/grade can put it in a student's words with the header's promise and drawings.

// The values in the structures, drawn again from the same seed by each test.
inline std::mt19937 draws;

// The blocks that the call being watched allocated and released, where the heap is counted.
inline std::vector<void*> made;
inline std::vector<void*> released;
// While set, run at each allocation of the call being watched.
inline void (*at_allocation)() = nullptr;
// Whether an allocation of the call being watched has failed.
inline bool heap_failed = false;

inline bool holds(const std::vector<void*>& blocks, const void* block) {
    return std::find(blocks.begin(), blocks.end(), block) != blocks.end();
}

// A structure built by the test: its records, the values they were built with, and the value x
// of the call made on it.
template <class T> struct Built {
    std::vector<void*> records;
    std::vector<int> values;
    int x = 0;

    // A new record of the test's own, its fields for the caller to set.
    T* add(int value) {
        void* block = std::malloc(sizeof(T));
        if (block == nullptr) {
            throw std::bad_alloc();
        }
        records.push_back(block);
        values.push_back(value);
        return static_cast<T*>(block);
    }

    // Whether r can be read: a record built or made by the call, and neither released. Where the
    // heap is not counted, any record that is not null.
    bool readable(const T* r) const {
        return r != nullptr && !holds(released, r) &&
               (holds(records, r) || holds(made, r) || !heap_counted);
    }

    // r's name: "5" for the record built holding 5, "5->9" once 9 is written there, "new 7" for
    // one the call made; else why it cannot be read.
    std::string name(const T* r, int (*value)(const T*), const char* gone) const {
        if (!readable(r)) {
            return r == nullptr         ? "nullptr"
                   : holds(released, r) ? gone
                                        : "no record the test knows";
        }
        const auto at = std::find(records.begin(), records.end(), r);
        if (at == records.end()) {
            return "new " + std::to_string(value(r));
        }
        const int was = values[static_cast<std::size_t>(at - records.begin())];
        return std::to_string(was) + (value(r) == was ? "" : "->" + std::to_string(value(r)));
    }

    // Releases what was built and what the call made, unless released already; the links are not
    // followed, so that a broken structure is released too.
    void release() const {
        for (void* block : made) {
            std::free(holds(released, block) || holds(records, block) ? nullptr : block);
        }
        for (void* block : records) {
            std::free(holds(released, block) ? nullptr : block);
        }
        made.clear();
        released.clear();
    }
};

// The parts that are not empty, separated by "; ".
inline std::string joined(std::initializer_list<std::string> parts) {
    std::string text;
    for (const std::string& part : parts) {
        text += part.empty() ? "" : (text.empty() ? "" : "; ") + part;
    }
    return text;
}

inline std::string returns(int value) {
    return "returns " + std::to_string(value);
}

// What f printed on standard output, quoted, each line end written \n.
template <class F> std::string printed(F f) {
    testing::internal::CaptureStdout();
    f();
    const std::string text = testing::internal::GetCapturedStdout();
    return "prints \"" + std::regex_replace(text, std::regex("\n"), "\\n") + "\"";
}

// An operation's call on every case of a shape of structure that the test defines: its header,
// its words (its name up to "(", x for its value), what run does, and the allocation that fails
// (-1: none).
template <class Case> struct Op {
    const char* suite = nullptr;
    const char* call = nullptr;
    int shape = 0;
    std::string (*run)(Case&) = nullptr;
    long long fails = -1;
};

// The lines of an operation's cases. A call that says what it returned is watched for what else
// it did: threw std::bad_alloc, and where the heap is counted, the blocks it allocated and
// released. With TRACE_CALLS set, its words go to standard error first, so that a crash names it.
template <class Case> std::vector<std::string> lines(const Op<Case>& op) {
    std::vector<std::string> found;
    for (Case& c : cases(op)) {
        const std::string before = state(c, op.shape, false);
        std::string words = std::string(op.call) + (before.empty() ? "" : ", on the " + before);
        if (words.find("(x") != std::string::npos) {
            words.replace(words.find("(x") + 1, 1, std::to_string(c.b.x));
        }
        if (std::getenv("TRACE_CALLS") != nullptr) {
            std::fprintf(stderr, "@call %s\n", words.c_str());
            std::fflush(stderr);
        }
        made.clear();
        released.clear();
        // Once an allocation has failed, what follows is the throw, whose machinery allocates
        // through the same malloc on some platforms: it is not counted.
        heap_failed = false;
        on_malloc = [](void* block, std::size_t /*size*/) {
            if (at_allocation != nullptr) {
                at_allocation();
            }
            heap_failed = heap_failed || block == nullptr;
            made.insert(made.end(), heap_failed ? 0 : 1, block);
        };
        on_free = [](void* block) { released.insert(released.end(), heap_failed ? 0 : 1, block); };
        allocations_until_failure = op.fails;
        std::string result;
        try {
            result = op.run(c);
        } catch (const std::bad_alloc&) {
            result = "threw std::bad_alloc";
        }
        on_malloc = nullptr;
        on_free = nullptr;
        allocations_until_failure = -1;
        const std::string heap = std::to_string(made.size()) + " allocated, " +
                                 std::to_string(released.size()) + " released";
        found.push_back(words + " => " +
                        joined({state(c, op.shape, true), result, heap_counted ? heap : ""}));
        c.b.release();
    }
    return found;
}

// Compares the lines found with those expected for the running test, and reports the first case
// that differs: a line is "CALL => STATE". Where the heap is not counted, its words and the cases
// that exhaust it are left out of what is expected; likewise the solver's depth where its calls
// are not traced. With WRITE_EXPECTED naming a folder, the lines found are written there.
inline void compare(const std::vector<std::string>& found) {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string file = std::string(test->test_suite_name()) + "." + test->name() + ".txt";
    std::ifstream text(EXPECTED_OPS "/" + file);
    std::vector<std::string> expected;
    const std::regex uncounted(
        std::string(heap_counted ? "^$" : "; [0-9]+ allocated, [0-9]+ released$") +
        (CALLS_TRACED ? "" : "|; calls [0-9]+ deep"));
    for (std::string line; std::getline(text, line);) {
        if (heap_counted || line.find("exhausted") == std::string::npos) {
            expected.push_back(std::regex_replace(line, uncounted, ""));
        }
    }
    if (const char* folder = std::getenv("WRITE_EXPECTED"); folder != nullptr) {
        std::ofstream out(std::string(folder) + "/" + file);
        std::for_each(found.begin(), found.end(),
                      [&out](const std::string& line) { out << line << "\n"; });
    }
    const auto part = [](const std::vector<std::string>& lines, std::size_t k, bool call) {
        const std::string line = k < lines.size() ? lines[k] : " => none";
        return call ? line.substr(0, line.find(" => ")) : line.substr(line.find(" => ") + 4);
    };
    for (std::size_t k = 0; k < std::max(found.size(), expected.size()); ++k) {
        if (k >= found.size() || k >= expected.size() || found[k] != expected[k]) {
            ADD_FAILURE() << part(k < found.size() ? found : expected, k, true)
                          << "\n  expected: " << part(expected, k, false)
                          << "\n  found:    " << part(found, k, false)
                          << "\nSmaller cases were tried first, and passed.\n";
            return;
        }
    }
}

// A test whose cases are the lines a function writes, compared with those expected.
class Checked : public testing::Test {
  public:
    explicit Checked(std::function<std::vector<std::string>()> found) : found_(std::move(found)) {}
    void TestBody() override {
        draws.seed(1);
        compare(found_());
    }

  private:
    std::function<std::vector<std::string>()> found_;
};

// Registers the test suite.name on the lines that found() writes.
inline bool add_test(const char* suite, const std::string& name,
                     const std::function<std::vector<std::string>()>& found) {
    testing::RegisterTest(suite, name.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                          [found]() -> testing::Test* { return new Checked(found); });
    return true;
}

// Registers a test for each operation of ops, named after its header and itself (lista.inslista),
// whose cases are those of its entries, which are neighbours in ops.
template <class Case> bool add_tests(const std::vector<Op<Case>>& ops) {
    const auto name = [](const Op<Case>& op) {
        return std::string(op.call).substr(0, std::string(op.call).find('('));
    };
    for (auto op = ops.begin(); op != ops.end();) {
        const auto end =
            std::find_if(op, ops.end(), [&](const Op<Case>& o) { return name(o) != name(*op); });
        add_test(op->suite, name(*op), [op, end] {
            std::vector<std::string> found;
            for (auto o = op; o != end; ++o) {
                const std::vector<std::string> more = lines(*o);
                found.insert(found.end(), more.begin(), more.end());
            }
            return found;
        });
        op = end;
    }
    return true;
}

#endif
