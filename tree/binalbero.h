#ifndef TREE_BINALBERO_H
#define TREE_BINALBERO_H

// A binary tree of int whose nodes link to their parent as well as to their children.
//
// Invariant: for every node n and each child c of n, c->padre == n; a root's padre is empty. A
// tree is handled as the link to its root node and the empty tree is the empty link, so every
// operation on a node also takes a tree's root. The tree owns its nodes: each is one malloc,
// made by CONSTRBINALBERO and released with free by CANCSOTTOBINALBERO. Every operation but
// CANCSOTTOBINALBERO takes constant time. Operations on a node require a node, not the empty link.

struct NODO {
    int valore;
    NODO* padre;
    NODO* sinistro;
    NODO* destro;
};

using BINALBERO = NODO*;

// The empty tree.
BINALBERO CREABINALBERO();

// 1 if T is the empty tree, else 0.
int BINALBEROVUOTO(BINALBERO T);

// The root node of T: T itself, the empty link for the empty tree.
NODO* BINRADICE(BINALBERO T);

// u's parent; the empty link for a root.
NODO* BINPADRE(NODO* u);

// u's left child, or the empty link.
NODO* FIGLIOSINISTRO(NODO* u);

// u's right child, or the empty link.
NODO* FIGLIODESTRO(NODO* u);

// 1 if u has no left child, else 0.
int SINISTROVUOTO(NODO* u);

// 1 if u has no right child, else 0.
int DESTROVUOTO(NODO* u);

// Joins *L and R, either possibly empty, under a new root holding 0, which becomes their roots'
// padre; *L then designates the joined tree, and R's handle, unchanged, its right subtree.
// Requires *L and R to be separate trees, not subtrees of another. One allocation; if it fails,
// std::bad_alloc and both trees are left as they were.
void CONSTRBINALBERO(BINALBERO* L, BINALBERO R);

// u's value.
int LEGGINODO(NODO* u);

// u's value becomes x.
void SCRIVINODO(int x, NODO* u);

// Deletes the subtree rooted at u from *T in postorder (children before parents, left subtree
// before right), printing for each node released "free nodo valoUre: %d\n" with its value, but
// "free nodo radice valore: %d\n" for u when u is *T's root as the call starts, after which *T is
// empty; the misspelt "valoUre" is the programs' fixed output. If u has a parent, the parent's
// link to u is cleared, so the rest of the tree stays a tree, also when *T is the subtree's own
// handle or the parent's link itself.
// Requires u to be a node of *T. Time linear in the subtree's size, recursion as deep as its
// height.
void CANCSOTTOBINALBERO(NODO* u, BINALBERO* T);

#endif
