#include "ESERCIZIO.h"
#include "binalbero.h"
#include "binalberorand.h"

#include <cstdio>
#include <new>

// Builds the complete tree of height 3, prints it, runs the extension walk from the root, prints
// it again, then waits for two characters. Exits 1 with one line on standard error if the heap
// runs out or standard output cannot be written.
int main() {
    try {
        BINALBERO T = CREABINALBERO();
        INITBINALBERORAND(3, &T);
        STAMPALBEROBIN(T, T);
        AGGIUNGINODO(T, T, 0);
        STAMPALBEROBIN(T, T);
    } catch (const std::bad_alloc&) {
        std::fputs("tree_demo: memoria esaurita\n", stderr);
        return 1;
    }
    // A write that failed, in the flush or before it, leaves the stream's error indicator set.
    std::fflush(stdout);
    if (std::ferror(stdout) != 0) {
        std::fputs("tree_demo: impossibile scrivere sullo standard output\n", stderr);
        return 1;
    }
    std::getchar();
    std::getchar();
    return 0;
}
