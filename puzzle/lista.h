#ifndef PUZZLE_LISTA_H
#define PUZZLE_LISTA_H

// A list of int kept as a ring of doubly linked cells closed by one sentinel cell.
//
// Invariant: for every cell c of the ring, c->succ->pred == c and c->pred->succ == c. A list is
// known by its sentinel for its whole life; it is empty exactly when the sentinel's succ and pred
// both lead back to the sentinel. The first element is the sentinel's succ, the last its pred, and
// the sentinel itself is the position after the last element and before the first, so insertion
// and deletion need no special case at either end.
//
// The list owns its cells: each is one malloc, made by inslista (or crealista for the sentinel)
// and released with free by canclista; no operation here releases the sentinel. When the heap is
// exhausted, the allocating operation throws std::bad_alloc, as new would, and leaves any list
// exactly as it was. Every operation takes constant time.

struct cella {
    cella* pred;
    int elem;
    cella* succ;
};

using lista = cella*;     // the list's sentinel
using posizione = cella*; // a cell of a list; the sentinel is a position too

// A new empty list: allocates the sentinel, links it to itself and sets its elem to 0.
lista crealista();

// 1 if L holds no element (its sentinel's succ and pred both lead back to it), else 0.
int listavuota(lista L);

// Inserts a new cell holding x immediately before *p; *p then designates the new cell.
// With *p the sentinel, x becomes the last element. One allocation.
void inslista(int x, posizione* p);

// The first element of L; the sentinel when L is empty.
posizione primolista(lista L);

// The last element of L; the sentinel when L is empty.
posizione ultimolista(lista L);

// The position after p.
posizione succlista(posizione p);

// The position before p.
posizione predlista(posizione p);

// 1 if p is L's sentinel, else 0: the end test of a forward or backward walk.
int finelista(posizione p, lista L);

// The element at p; at the sentinel, whatever was last written there (0 if nothing was).
int leggilista(posizione p);

// Writes x at p. At the sentinel the value is kept but the list's bookkeeping ignores it.
void scrivilista(int x, posizione p);

// Unlinks and releases the cell at *p; *p then designates the cell that followed it. One
// release. The sentinel of an empty list (the only cell that is its own successor) is left alone;
// a non-empty list's sentinel cannot be told from an element and must not be passed.
void canclista(posizione* p);

#endif
