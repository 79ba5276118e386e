// The Tower of Hanoi for 21 disks in plain C: each peg a circular doubly linked list closed by a
// sentinel, one malloc per push and one free per pop, the push of a move before its pop. It prints
// the same two lines as hanoi_demo and reads two characters, so that the instruction counts of the
// two programs can be compared.
#include <stdio.h>
#include <stdlib.h>

struct cell {
    struct cell* pred;
    int elem;
    struct cell* succ;
};

static struct cell* new_cell(void) {
    struct cell* c = malloc(sizeof *c);
    if (c == NULL) {
        fputs("hanoi_baseline: out of memory\n", stderr);
        exit(1);
    }
    return c;
}

static struct cell* new_peg(void) {
    struct cell* s = new_cell();
    s->pred = s;
    s->elem = 0;
    s->succ = s;
    return s;
}

static void push(int x, struct cell* peg) {
    struct cell* c = new_cell();
    c->elem = x;
    c->pred = peg->pred;
    c->succ = peg;
    peg->pred->succ = c;
    peg->pred = c;
}

static void pop(struct cell* peg) {
    struct cell* top = peg->pred;
    top->pred->succ = peg;
    peg->pred = top->pred;
    free(top);
}

static void move(struct cell* from, struct cell* to) {
    push(from->pred->elem, to);
    pop(from);
}

static void solve(int n, struct cell* from, struct cell* to, struct cell* via) {
    if (n == 1) {
        move(from, to);
        return;
    }
    solve(n - 1, from, via, to);
    move(from, to);
    solve(n - 1, via, to, from);
}

int main(void) {
    const int disks = 21;
    struct cell* origin = new_peg();
    struct cell* spare = new_peg();
    struct cell* target = new_peg();
    for (int i = disks; i > 0; --i) {
        push(i, origin);
    }
    printf("elem in cima al piolo origine : %d \n", origin->pred->elem);
    solve(disks, origin, target, spare);
    printf("elem in cima al piolo destinazione : %d \n", target->pred->elem);
    fflush(stdout);
    getchar();
    getchar();
    return 0;
}
