#ifndef TESTS_CHECKS_H
#define TESTS_CHECKS_H

#include "heap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <new>
#include <random>
#include <string>
#include <vector>

// What the unit tests share. A test checks one operation on every small structure in turn,
// smallest first, each built through its records' fields and never through the operations under
// test. It compares what the call left, returned, printed, allocated and released with what a
// model of the structure says, in the words a student reads, and reports the first case that
// differs. With TRACE_CALLS set, each call is written on standard error before it is made, so that
// a crash names the call.

// The values in the structures, distinct and drawn at random from a fixed seed.
inline std::mt19937 draws(1);

// The blocks that the call being watched allocated and released, where the heap is counted.
inline std::vector<void*> made;
inline std::vector<void*> released;
// While set, run at each allocation of the call being watched.
inline void (*at_allocation)() = nullptr;

template <class T> bool holds(const std::vector<T*>& blocks, const void* block) {
    return std::find(blocks.begin(), blocks.end(), block) != blocks.end();
}

// A structure built by the test: its records, the first a list's sentinel or a tree's root, and
// the values they were built with.
template <class T> struct Built {
    std::vector<T*> records;
    std::vector<int> values;
};

// A new record of the test's own, its fields for the caller to set.
template <class T> T* record() {
    void* block = std::malloc(sizeof(T));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return static_cast<T*>(block);
}

// Whether r can be read: a record the test built or the call made, and neither released. Where
// the heap is not counted, any record that is not null.
template <class T> bool readable(const Built<T>& b, const T* r) {
    return r != nullptr && !holds(released, r) &&
           (holds(b.records, r) || holds(made, r) || !heap_counted);
}

// A value's name, as found and expected: "5", "5->9" once written, "new 7" for a record that the
// call made.
inline std::string named(int was, int is, bool fresh) {
    const std::string value = std::to_string(was) + (is == was ? "" : "->" + std::to_string(is));
    return fresh ? "new " + value : value;
}

// A record's name: as named() from the value it holds, what says why it cannot be read, or its
// kind's words in `released` when the call released it.
template <class T>
std::string named(const Built<T>& b, const T* r, int (*value)(const T*), const char* gone) {
    if (!readable(b, r)) {
        return r == nullptr ? "nullptr" : holds(released, r) ? gone : "no record the test knows";
    }
    const auto at = std::find(b.records.begin(), b.records.end(), r);
    return at == b.records.end()
               ? named(value(r), value(r), true)
               : named(b.values[static_cast<std::size_t>(at - b.records.begin())], value(r), false);
}

// Releases what the test built and the last call made, unless released already; the links are not
// followed, so that a broken structure is released too.
template <class T> void release(const Built<T>& b) {
    for (void* block : b.records) {
        if (!holds(released, block)) {
            std::free(block);
        }
    }
    for (void* block : made) {
        if (!holds(released, block) && !holds(b.records, block)) {
            std::free(block);
        }
    }
    made.clear();
    released.clear();
}

// The parts that are not empty, separated by "; ".
inline std::string joined(std::initializer_list<std::string> parts) {
    std::string text;
    for (const std::string& part : parts) {
        text += part.empty() ? "" : (text.empty() ? "" : "; ") + part;
    }
    return text;
}

inline std::string heap_words(std::size_t allocated, std::size_t freed) {
    return heap_counted
               ? std::to_string(allocated) + " allocated, " + std::to_string(freed) + " released"
               : "";
}

// Runs the call f, which returns what it returned in words, and adds what else it did: threw
// std::bad_alloc, and where the heap is counted, the blocks it allocated and released.
template <class F> std::string watched(const std::string& call, F f) {
    if (std::getenv("TRACE_CALLS") != nullptr) {
        std::fprintf(stderr, "@call %s\n", call.c_str());
        std::fflush(stderr);
    }
    made.clear();
    released.clear();
    on_malloc = [](void* block, std::size_t /*size*/) {
        if (at_allocation != nullptr) {
            at_allocation();
        }
        if (block != nullptr) {
            made.push_back(block);
        }
    };
    on_free = [](void* block) { released.push_back(block); };
    std::string result;
    try {
        result = f();
    } catch (const std::bad_alloc&) {
        result = "threw std::bad_alloc";
    }
    on_malloc = nullptr;
    on_free = nullptr;
    allocations_until_failure = -1;
    return joined({result, heap_words(made.size(), released.size())});
}

// What f printed on standard output.
template <class F> std::string printed(F f) {
    testing::internal::CaptureStdout();
    f();
    return testing::internal::GetCapturedStdout();
}

// The records reachable from `from`, for the grader to draw: "@HEADING ID | ID FIELDS | ...", each
// record numbered from 1 in the order reached, 0 for nullptr; one that cannot be read has a number
// and no fields. fields(r, id) writes r's fields, each link as id(link).
template <class T, class Fields>
std::string dump(const std::string& heading, const Built<T>& b, const T* from, Fields fields) {
    std::vector<const T*> ids{nullptr};
    const auto id = [&ids](const T* r) {
        const auto at = std::find(ids.begin(), ids.end(), r);
        if (at != ids.end()) {
            return std::to_string(at - ids.begin());
        }
        ids.push_back(r);
        return std::to_string(ids.size() - 1);
    };
    std::string text = "@" + heading + " " + id(from);
    for (std::size_t k = 1; k < ids.size() && k <= 40; ++k) {
        const T* r = ids[k];
        if (readable(b, r)) {
            text += " | " + std::to_string(k) + " " + fields(r, id);
        }
    }
    return text + "\n";
}

// Fails the test with the first case that differs from the model.
inline void report(const std::string& call, const std::string& expected, const std::string& found,
                   const std::string& drawings) {
    ADD_FAILURE() << call << "\n  expected: " << expected << "\n  found:    " << found
                  << "\nSmaller cases were tried first, and passed.\n"
                  << drawings;
}

#endif
