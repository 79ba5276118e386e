"""LLDB's views of the lists, stacks and trees: summaries and synthetic children for the type
names lista, pila, posizione and BINALBERO, for the pointers cella * and NODO *, and for a cella
itself, in every program, once imported: command script import debug/lldb_views.py"""

import lldb

import structures


class Reader:
    """Reads the debugged program's records for structures.py."""

    @staticmethod
    def field(pointer, name):
        value = pointer.GetChildMemberWithName(name)
        error = lldb.SBError()
        value.GetValueAsUnsigned(error, 0)
        if not value.IsValid() or error.Fail():
            raise structures.Unreadable(pointer.GetValueAsUnsigned(0))
        return value

    link = field

    def number(self, pointer, name):
        return self.field(pointer, name).GetValueAsSigned(0)

    @staticmethod
    def address(pointer):
        return pointer.GetValueAsUnsigned(0)


READER = Reader()


def lista_summary(value, _):
    return structures.sequence(READER, value.GetNonSyntheticValue(), "lista", "")[0]


def pila_summary(value, _):
    return structures.sequence(READER, value.GetNonSyntheticValue(), "pila", ", bottom to top")[0]


def posizione_summary(value, _):
    return structures.position(READER, value, "posizione")


def cella_pointer_summary(value, _):
    return structures.position(READER, value, "cella *")


def cella_summary(value, _):
    return structures.position(READER, value.AddressOf(), "cella")


def binalbero_summary(value, _):
    return "BINALBERO " + structures.tree(READER, value.GetNonSyntheticValue())


def nodo_pointer_summary(value, _):
    return "NODO * " + structures.tree(READER, value.GetNonSyntheticValue())


class Children:
    """Synthetic children made by update(), found by index or by name."""

    def __init__(self, value, _):
        self.value = value
        self.children = []

    def num_children(self):
        return len(self.children)

    def get_child_index(self, name):
        names = [child.GetName() for child in self.children]
        return names.index(name) if name in names else -1

    def get_child_at_index(self, index):
        return self.children[index]

    def has_children(self):
        return bool(self.children)

    def held(self, name, pointer, field):
        """The int field of the record at pointer, as a child called name."""
        value = READER.field(pointer, field)
        return self.value.CreateValueFromAddress(name, value.GetLoadAddress(), value.GetType())


class Sequence(Children):
    """A lista's or a pila's elements as its children, [0] the first (a pila's bottom)."""

    def update(self):
        try:
            cells = [cell for cell, _ in structures.ring(READER, self.value)]
        except structures.Broken as broken:
            cells = [cell for cell, _ in broken.found]
        except structures.Unreadable:
            cells = []
        self.children = [self.held(f"[{i}]", cell, "elem") for i, cell in enumerate(cells)]
        return False


class Node(Children):
    """A node's children, sinistro and destro, and its parent's value as padre."""

    def update(self):
        self.children = []
        if READER.address(self.value) != 0:
            try:
                sides = (READER.link(self.value, side) for side in ("sinistro", "destro"))
                self.children = [child for child in sides if READER.address(child) != 0]
                parent = READER.link(self.value, "padre")
                if READER.address(parent) != 0:
                    self.children.append(self.held("padre", parent, "valore"))
            except structures.Unreadable:
                self.children = []
        return False


def __lldb_init_module(debugger, _):
    views = (("lista", "lista_summary", "Sequence"), ("pila", "pila_summary", "Sequence"),
             ("posizione", "posizione_summary", None), ("cella *", "cella_pointer_summary", None),
             ("BINALBERO", "binalbero_summary", "Node"), ("NODO *", "nodo_pointer_summary", "Node"))
    for name, summary, children in views:
        debugger.HandleCommand(f'type summary add -v -F {__name__}.{summary} "{name}"')
        if children:
            debugger.HandleCommand(f'type synthetic add -l {__name__}.{children} "{name}"')
    debugger.HandleCommand(f"type summary add -p -F {__name__}.cella_summary cella")
