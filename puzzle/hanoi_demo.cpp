#include "pila.h"
#include "torredihanoi.h"

#include <cstdio>
#include <new>

// Stacks ndischi disks on the origin peg, solves the puzzle onto the destination peg, reports the
// top disk of each, then waits for two characters. Exits 1 with one line on standard error if the
// heap runs out or standard output cannot be written.
int main() {
    try {
        pila origine = creapila();
        pila ausiliario = creapila();
        pila destinazione = creapila();
        for (int i = ndischi; i > 0; --i) {
            inpila(i, origine);
        }
        std::printf("elem in cima al piolo origine : %d \n", leggipila(origine));
        torredihanoi(ndischi, origine, destinazione, ausiliario);
        std::printf("elem in cima al piolo destinazione : %d \n", leggipila(destinazione));
    } catch (const std::bad_alloc&) {
        std::fputs("hanoi_demo: memoria esaurita\n", stderr);
        return 1;
    }
    // A write that failed, in the flush or before it, leaves the stream's error indicator set.
    std::fflush(stdout);
    if (std::ferror(stdout) != 0) {
        std::fputs("hanoi_demo: impossibile scrivere sullo standard output\n", stderr);
        return 1;
    }
    std::getchar();
    std::getchar();
    return 0;
}
