"""What the debugger views show of the lists, stacks and trees, for gdb and LLDB alike.

Each view walks the structure in the debugged program's memory through a reader that the debugger
provides, checks it as it goes and, where it is broken, says where instead of showing a wrong
picture. A reader has three methods, on the debugger's own values for pointers:
    link(pointer, field)    the pointer held in the field of the record pointed to
    number(pointer, field)  the int held in that field
    address(pointer)        the pointer as a number, 0 for the empty link
and raises Unreadable when the record pointed to cannot be read. A walk never reads more than
LIMIT records, so that no corruption can keep the debugger waiting. An empty link is shown as
"nullptr", as LLDB shows every null C++ pointer whatever its view.
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


def elements(count):
    """count elements, in words: "1 element", "2 elements"."""
    return f"{count} element{'' if count == 1 else 's'}"


def sequence(reader, sentinel, kind, order):
    """A list or stack's summary and its cells, first to last: "kind of N, order", past LIMIT
    "kind of more than LIMIT, order", or where the ring is broken, "kind at ADDRESS broken after N
    elements: where"; for a handle that leads nowhere, "nullptr" or "kind in unreadable memory
    at ...". The address of a broken one shows a handle that was never set for what it is."""
    address = reader.address(sentinel)
    if address == 0:
        return "nullptr", []
    try:
        cells = ring(reader, sentinel)
        return f"{kind} of {len(cells)}{order}", cells
    except TooLong as long:
        return f"{kind} of more than {LIMIT}{order}", long.found
    except Broken as broken:
        where = f"broken after {elements(len(broken.found))}: {broken}"
        return f"{kind} at {address:#x} {where}", broken.found
    except Unreadable as error:
        return f"{kind} in {error}", []


def position(reader, cell, kind):
    """A cell's summary: its element and its neighbours', or where its links fail each other."""
    if reader.address(cell) == 0:
        return "nullptr"
    try:
        element = reader.number(cell, "elem")
        start = f"{kind} at {reader.address(cell):#x} holding {element}, broken:"
        for near, back in (("pred", "succ"), ("succ", "pred")):
            neighbour = reader.link(cell, near)
            if reader.address(neighbour) == 0:
                return f"{start} its {near} is null"
            if reader.address(reader.link(neighbour, back)) != reader.address(cell):
                return f"{start} its {near}'s {back} is not itself"
        before = reader.number(reader.link(cell, "pred"), "elem")
        after = reader.number(reader.link(cell, "succ"), "elem")
        return f"{kind} holding {element}, after {before}, before {after}"
    except Unreadable as error:
        return f"{kind} at {reader.address(cell):#x} with a link to {error}"


def tree(reader, root, kind):
    """The tree under root in preorder as its summary: "kind N nodes: value(left,right)", a leaf as its
    value alone; or where a node's padre is not its parent, a node is reached twice, a link is
    unreadable, or there are more than LIMIT nodes. The walk keeps its own stack, so that a tree
    of any height up to LIMIT is shown whole."""
    address = reader.address(root)
    if address == 0:
        return "nullptr"
    seen = set()
    text = []
    # What is left to write, last first: a node to visit, with its parent and its path, or text.
    # The root's own padre is whatever holds it: empty for a whole tree.
    try:
        waiting = [(root, reader.address(reader.link(root, "padre")), "root")]
    except Unreadable as error:
        return f"{kind} in {error}"
    try:
        while waiting:
            item = waiting.pop()
            if isinstance(item, str):
                text.append(item)
                continue
            node, parent, path = item
            if reader.address(node) in seen:
                raise Broken(f"{path} is reached twice", None)
            if len(seen) == LIMIT:
                raise TooLong(f"more than {LIMIT} nodes", None)
            seen.add(reader.address(node))
            try:
                if reader.address(reader.link(node, "padre")) != parent:
                    raise Broken(f"the padre of {path} is not its parent", None)
                text.append(str(reader.number(node, "valore")))
                left, right = reader.link(node, "sinistro"), reader.link(node, "destro")
            except Unreadable as error:
                raise Broken(f"{path} is {error}", None) from None
            if reader.address(left) == 0 and reader.address(right) == 0:
                continue
            waiting.append(")")
            for child, side in ((right, "destro"), (left, "sinistro")):
                if reader.address(child) != 0:
                    waiting.append((child, reader.address(node), f"{path}.{side}"))
                waiting.append("," if side == "destro" else "(")
    except TooLong as long:
        return f"{kind} {long}"
    except Broken as broken:
        return f"{kind} at {address:#x} broken: {broken}"
    return f"{kind} {len(seen)} node{'s' if len(seen) > 1 else ''}: {''.join(text)}"


class Above:
    """For each node that a debugger's display shows as a child, the nodes above it there. A
    child that is among them, or is its sibling, is reached twice and is shown without children,
    so that no depth of display makes a cyclic tree endless. Forgotten whenever memory may have
    changed."""

    def __init__(self):
        self.nodes = {}

    def forget(self):
        self.nodes.clear()

    def path(self, node):
        """The node, by address, and the nodes above it."""
        return self.nodes.get(node, frozenset()) | {node}

    def twice(self, path, children):
        """For each child address of the node at the end of path, left first, whether it is
        reached twice; each other child is recorded with path above it."""
        shown = set(path)
        found = []
        for child in children:
            found.append(child in shown)
            if child not in shown:
                shown.add(child)
                self.nodes[child] = path
        return found
