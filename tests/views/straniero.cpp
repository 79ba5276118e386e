// A student's own records, named as the course names them but not ours: a singly linked cella and
// a NODO without padre. The debugger views leave them to the debugger, and disegna refuses them.
struct cella {
    int val;
    cella* next;
};

struct NODO {
    int valore;
    NODO* sinistro;
    NODO* destro;
};

using lista = cella*;
using BINALBERO = NODO*;

// Where the debugger stops.
int guarda(lista L, BINALBERO T) {
    return L->val + T->valore;
}

int main() {
    cella due{2, nullptr};
    cella uno{1, &due};
    NODO foglia{5, nullptr, nullptr};
    NODO radice{4, &foglia, nullptr};
    return guarda(&uno, &radice) == 5 ? 0 : 1;
}
