"""gdb's views of the lists, stacks and trees: pretty printers chosen by the name of the type as
the variable is declared (lista, pila, posizione, BINALBERO), or by the record pointed to (cella *,
NODO *), and for a cella itself, in every program that gdb debugs once this file is loaded:
sourced, or imported by the -gdb.py file beside each of the project's binaries."""

import os
import sys

import gdb
import gdb.printing

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import structures  # noqa: E402  (found beside this file)


class Reader:
    """Reads the debugged program's records for structures.py."""

    @staticmethod
    def field(pointer, name):
        try:
            value = pointer.dereference()[name]
            value.fetch_lazy()
            return value
        except gdb.MemoryError:
            raise structures.Unreadable(int(pointer)) from None

    link = field

    def number(self, pointer, name):
        return int(self.field(pointer, name))

    @staticmethod
    def address(pointer):
        return int(pointer)


READER = Reader()


class Sequence:
    """A lista from first to last, or a pila from bottom to top, with its elements as children."""

    def __init__(self, value, kind, order):
        self.summary, self.elements = structures.sequence(READER, value, kind, order)

    def to_string(self):
        return self.summary

    def children(self):
        return ((f"[{i}]", element) for i, element in enumerate(self.elements))

    @staticmethod
    def display_hint():
        return "array"


class Position:
    """A posizione, a cella * or a cella: the element held and its neighbours'."""

    def __init__(self, pointer, kind):
        self.summary = structures.position(READER, pointer, kind)

    def to_string(self):
        return self.summary


class Tree:
    """A BINALBERO or a NODO *: the node count and the tree, with the children and the parent's
    value to expand."""

    def __init__(self, pointer, kind):
        self.pointer = pointer
        self.summary = f"{kind} {structures.tree(READER, pointer)}"

    def to_string(self):
        return self.summary

    def children(self):
        if int(self.pointer) == 0:
            return
        try:
            node = self.pointer.dereference()
            for side in ("sinistro", "destro"):
                if int(node[side]) != 0:
                    yield side, node[side]
            if int(node["padre"]) != 0:
                yield "padre", int(node["padre"].dereference()["valore"])
        except gdb.MemoryError:
            return


def lookup(value):
    """The view of value, or None to leave it to gdb."""
    kind = value.type.unqualified()
    name = kind.name
    if name == "lista":
        return Sequence(value, "lista", "")
    if name == "pila":
        return Sequence(value, "pila", ", bottom to top")
    if name == "posizione":
        return Position(value, "posizione")
    if name == "BINALBERO":
        return Tree(value, "BINALBERO")
    kind = kind.strip_typedefs()
    if kind.code == gdb.TYPE_CODE_PTR:
        target = kind.target().unqualified().strip_typedefs().tag
        if target == "cella":
            return Position(value, "cella *")
        if target == "NODO":
            return Tree(value, "NODO *")
    elif kind.tag == "cella" and value.address is not None:
        return Position(value.address, "cella")
    return None


lookup.name = "strutture"
lookup.enabled = True
gdb.printing.register_pretty_printer(None, lookup, replace=True)
