"""What the debugger views show of the lists, stacks and trees, for gdb and LLDB alike.

Each view walks the structure in the debugged program's memory through a reader that the debugger
provides, checks it as it goes and, where it is broken, says where instead of showing a wrong
picture. A reader has three methods, on the debugger's own values for pointers:
    link(pointer, field)    the pointer held in the field of the record pointed to
    number(pointer, field)  the int held in that field
    address(pointer)        the pointer as a number, 0 for the empty link
and raises Unreadable when the record pointed to cannot be read. A walk never reads more than
LIMIT records, so that no corruption can keep the debugger waiting.
"""

LIMIT = 1000


class Unreadable(Exception):
    """The record at address cannot be read."""

    def __init__(self, address):
        super().__init__(f"unreadable memory at {address:#x}")
        self.address = address


class Broken(Exception):
    """A structure that breaks its invariant, with what was read before the break."""

    def __init__(self, where, found):
        super().__init__(where)
        self.found = found


class TooLong(Broken):
    """A structure longer than LIMIT, with what was read of it."""


def ring(reader, sentinel):
    """The cells of the ring closed by sentinel, from its succ onwards, as (cell, element) pairs;
    Broken where a cell's pred is not the cell before it, a succ is empty or unreadable, or the
    sentinel's pred is not the last cell; TooLong past LIMIT cells. Checking each pred finds any
    cycle that misses the sentinel at its first cell seen twice."""
    found = []
    previous = sentinel
    name = "the sentinel"
    cell = reader.link(sentinel, "succ")  # an unreadable sentinel is left to the caller
    while True:
        try:
            if reader.address(cell) == reader.address(sentinel):
                if reader.address(reader.link(sentinel, "pred")) != reader.address(previous):
                    raise Broken(f"the sentinel's pred is not {name}", found)
                return found
            if len(found) == LIMIT:
                raise TooLong(f"more than {LIMIT} elements", found)
            if reader.address(cell) == 0:
                raise Broken(f"the succ of {name} is null", found)
            pred = reader.address(reader.link(cell, "pred"))
            if pred != reader.address(previous):
                other = "a null pred" if pred == 0 else "another pred"
                raise Broken(f"the cell after {name} has {other}", found)
            found.append((cell, reader.number(cell, "elem")))
        except Unreadable as error:
            raise Broken(f"the succ of {name} leads to {error}", found) from None
        previous, name = cell, f"element {len(found)}"
        cell = reader.link(cell, "succ")


def sequence(reader, sentinel, kind, order):
    """A list or stack's summary and its elements, first to last: "kind of N, order", past LIMIT
    "kind of more than LIMIT, order", or where the ring is broken, "kind broken after N elements:
    where"; for a handle that leads nowhere, "kind null" or "kind in unreadable memory at ..."."""
    if reader.address(sentinel) == 0:
        return f"{kind} null", []
    try:
        elements = [element for _, element in ring(reader, sentinel)]
        return f"{kind} of {len(elements)}{order}", elements
    except TooLong as long:
        return f"{kind} of more than {LIMIT}{order}", [element for _, element in long.found]
    except Broken as broken:
        elements = [element for _, element in broken.found]
        return f"{kind} broken after {len(elements)} elements: {broken}", elements
    except Unreadable as error:
        return f"{kind} in {error}", []


def position(reader, cell, kind):
    """A cell's summary: its element and its neighbours', or where its links fail each other."""
    if reader.address(cell) == 0:
        return f"{kind} null"
    try:
        element = reader.number(cell, "elem")
        pred, succ = reader.link(cell, "pred"), reader.link(cell, "succ")
        if reader.address(reader.link(pred, "succ")) != reader.address(cell):
            return f"{kind} holding {element}, broken: its pred's succ is not itself"
        if reader.address(reader.link(succ, "pred")) != reader.address(cell):
            return f"{kind} holding {element}, broken: its succ's pred is not itself"
        before, after = reader.number(pred, "elem"), reader.number(succ, "elem")
        return f"{kind} holding {element}, after {before}, before {after}"
    except Unreadable as error:
        return f"{kind} with a link to {error}"


def tree(reader, root):
    """The tree under root in preorder as its summary: "N nodes: value(left,right)", a leaf as its
    value alone; or where a node's padre is not its parent, a node is reached twice, a link is
    unreadable, or there are more than LIMIT nodes."""
    if reader.address(root) == 0:
        return "empty"
    seen = set()
    counted = [0]

    def write(node, parent, path):
        if reader.address(node) in seen:
            raise Broken(f"{path} is reached twice", None)
        if len(seen) == LIMIT:
            raise TooLong(f"more than {LIMIT} nodes", None)
        seen.add(reader.address(node))
        try:
            if reader.address(reader.link(node, "padre")) != parent:
                raise Broken(f"the padre of {path} is not its parent", None)
            text = str(reader.number(node, "valore"))
            left, right = reader.link(node, "sinistro"), reader.link(node, "destro")
        except Unreadable as error:
            raise Broken(f"{path} is {error}", None) from None
        counted[0] += 1
        if reader.address(left) == 0 and reader.address(right) == 0:
            return text
        parts = [
            write(child, reader.address(node), f"{path}.{side}") if reader.address(child) else ""
            for child, side in ((left, "sinistro"), (right, "destro"))
        ]
        return f"{text}({parts[0]},{parts[1]})"

    try:
        # The root's own padre is whatever holds it: empty for a whole tree.
        shape = write(root, reader.address(reader.link(root, "padre")), "root")
        return f"{counted[0]} node{'s' if counted[0] > 1 else ''}: {shape}"
    except Unreadable as error:
        return f"the root is {error}"
    except TooLong as long:
        return str(long)
    except Broken as broken:
        return f"broken: {broken}"
