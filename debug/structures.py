"""What the debugger views show of the lists, stacks and trees, for gdb and LLDB alike.

Each view walks the structure in the debugged program's memory through a reader that the debugger
provides, checks it as it goes and, where it is broken, says where instead of showing a wrong
picture. A reader has four methods, on the debugger's own values for pointers:
    link(pointer, field)    the pointer held in the field of the record pointed to
    number(pointer, field)  the int held in that field
    address(pointer)        the pointer as a number, 0 for the empty link
    sentinels()             the lists and stacks in scope where the program stands, as a dict from
                            the address of each one's sentinel to its name and value
and raises Unreadable when the record pointed to cannot be read. A record is ours by its fields
alone (SHAPES), whatever its type's name: a student's own cella or NODO is left to the debugger.
A walk never reads more than LIMIT records, so that no corruption can keep the debugger waiting.
An empty link is shown as "nullptr", as LLDB shows every null C++ pointer whatever its view.
"""

LIMIT = 1000
# The fields of the records that the views read, in order, by the name of each record.
SHAPES = {"cella": ("pred", "elem", "succ"), "NODO": ("valore", "padre", "sinistro", "destro")}


def ours(record, fields):
    """Whether a record named record (cella or NODO) with the fields named is one of ours."""
    return SHAPES.get(record) == tuple(fields)


class Unreadable(Exception):
    """The record at address cannot be read."""

    def __init__(self, address):
        super().__init__(f"unreadable memory at {address:#x}")
        self.address = address


class Broken(Exception):
    """A structure that breaks its invariant, with what was read before the break and, where one
    link is to blame, that link as (from, field, to): the addresses of the record that holds it and
    of where it leads, and the field's name, and held, the element where it leads if that can be
    read. For a ring, rest holds what was read of it from the sentinel's side."""

    def __init__(self, where, found, link=None, held=None):
        super().__init__(where)
        self.found = found
        self.link = link
        self.held = held
        self.rest = []


class TooLong(Broken):
    """A structure longer than LIMIT, with what was read of it."""


def ring(reader, sentinel):
    """The cells of the ring closed by sentinel, from its succ onwards, as (cell, element) pairs;
    Broken where a cell's pred is not the cell before it, a succ is empty or unreadable, or the
    sentinel's pred is not the last cell; TooLong past LIMIT cells. Checking each pred finds any
    cycle that misses the sentinel at its first cell seen twice."""
    found = []
    try:
        return forward(reader, sentinel, found)
    except TooLong:
        raise
    except Broken as broken:
        broken.rest = back(reader, sentinel, found)
        raise


def forward(reader, sentinel, found):
    """ring's walk, each cell read put in found."""
    previous = sentinel
    name = "the sentinel"
    cell = reader.link(sentinel, "succ")  # an unreadable sentinel is left to the caller
    while True:
        succ = (reader.address(previous), "succ", reader.address(cell))
        try:
            if reader.address(cell) == reader.address(sentinel):
                pred = reader.link(sentinel, "pred")
                if reader.address(pred) != reader.address(previous):
                    link = (reader.address(sentinel), "pred", reader.address(pred))
                    raise Broken(f"the sentinel's pred is not {name}", found, link,
                                 held(reader, pred))
                return found
            if len(found) == LIMIT:
                raise TooLong(f"more than {LIMIT} elements", found)
            if reader.address(cell) == 0:
                raise Broken(f"the succ of {name} is null", found, succ)
            pred = reader.address(reader.link(cell, "pred"))
            if pred != reader.address(previous):
                other = "a null pred" if pred == 0 else "another pred"
                raise Broken(f"the cell after {name} has {other}", found, succ,
                             reader.number(cell, "elem"))
            found.append((cell, reader.number(cell, "elem")))
        except Unreadable as error:
            raise Broken(f"the succ of {name} leads to {error}", found, succ) from None
        previous, name = cell, f"element {len(found)}"
        cell = reader.link(cell, "succ")


def held(reader, cell):
    """The element in cell, or None where it cannot be read."""
    try:
        return None if reader.address(cell) == 0 else reader.number(cell, "elem")
    except Unreadable:
        return None


def back(reader, sentinel, found):
    """The rest of a broken ring, seen from its sentinel: the cells reached from it by pred links,
    each the pred of a cell that is its succ, up to one read already or LIMIT cells in all, as
    (cell, element) pairs in the ring's order."""
    rest = []
    seen = {reader.address(cell) for cell, _ in found} | {reader.address(sentinel)}
    after = sentinel
    try:
        while len(found) + len(rest) < LIMIT:
            cell = reader.link(after, "pred")
            address = reader.address(cell)
            agrees = reader.address(reader.link(cell, "succ")) == reader.address(after)
            if address in seen or not agrees:
                break
            seen.add(address)
            rest.append((cell, reader.number(cell, "elem")))
            after = cell
    except Unreadable:
        pass
    return rest[::-1]


def elements(count):
    """count elements, in words: "1 element", "2 elements"."""
    return f"{count} element{'' if count == 1 else 's'}"


def sequence(reader, sentinel, kind, order):
    """A list or stack's summary, its cells, first to last, and what is wrong with it (a Broken, a
    TooLong or an Unreadable), or None. The summary: "kind of N, order", past LIMIT "kind of more
    than LIMIT, order", or where the ring is broken, "kind at ADDRESS broken after N elements:
    where"; for a handle that leads nowhere, "nullptr" or "kind in unreadable memory at ...". The
    address of a broken one shows a handle that was never set for what it is."""
    address = reader.address(sentinel)
    if address == 0:
        return "nullptr", [], None
    try:
        cells = ring(reader, sentinel)
        return f"{kind} of {len(cells)}{order}", cells, None
    except TooLong as long:
        return f"{kind} of more than {LIMIT}{order}", long.found, long
    except Broken as broken:
        where = f"broken after {elements(len(broken.found))}: {broken}"
        return f"{kind} at {address:#x} {where}", broken.found, broken
    except Unreadable as error:
        return f"{kind} in {error}", [], error


def is_sentinel(reader, cell, sentinels):
    """Whether cell is a sentinel: an empty list's, the only cell that is its own succ, or one of
    the lists and stacks in scope."""
    address = reader.address(cell)
    return address in sentinels or reader.address(reader.link(cell, "succ")) == address


def position(reader, cell, kind):
    """A cell's summary: the element it holds, or which sentinel it is, and its neighbours', or
    where its links fail each other. The sentinels are known as is_sentinel() knows them."""
    address = reader.address(cell)
    if address == 0:
        return "nullptr"
    try:
        element = reader.number(cell, "elem")
        start = f"{kind} at {address:#x} holding {element}, broken:"
        for near, back in (("pred", "succ"), ("succ", "pred")):
            neighbour = reader.link(cell, near)
            if reader.address(neighbour) == 0:
                return f"{start} its {near} is null"
            if reader.address(reader.link(neighbour, back)) != reader.address(cell):
                return f"{start} its {near}'s {back} is not itself"
        sentinels = reader.sentinels()
        empty = reader.address(reader.link(cell, "succ")) == address
        if address in sentinels:
            where = f"at the sentinel of {sentinels[address][0]}"
        else:
            where = "at the sentinel of an empty list" if empty else f"holding {element}"
        if empty:
            return f"{kind} {where}{', which is empty' if address in sentinels else ''}"
        names = ["the sentinel" if is_sentinel(reader, near, sentinels)
                 else str(reader.number(near, "elem"))
                 for near in (reader.link(cell, "pred"), reader.link(cell, "succ"))]
        return f"{kind} {where}, after {names[0]}, before {names[1]}"
    except Unreadable as error:
        return f"{kind} at {address:#x} with a link to {error}"


class Node:
    """A node read by nodes(): its address and value, and its parent's index among the nodes read
    with the side it hangs from (None for the top node). children holds the indices of its
    children read, by side."""

    def __init__(self, address, value, parent, side):
        self.address, self.value, self.parent, self.side = address, value, parent, side
        self.children = {}


def nodes(reader, root, top="root"):
    """The nodes under root, in preorder, as Node records. The walk keeps its own stack, so that a
    tree of any height up to LIMIT is read whole. Broken, with what was read, where a node's padre
    is not its parent, a node is reached twice, or a link is unreadable; TooLong past LIMIT nodes;
    Unreadable where root itself is. The words name a node by its path from root, called top."""
    found = []
    seen = set()
    # The root's own padre is whatever holds it: empty for a whole tree.
    waiting = [(root, reader.address(reader.link(root, "padre")), None, None, top)]
    while waiting:
        node, parent, above, side, path = waiting.pop()
        address = reader.address(node)
        link = (parent, side, address)
        if address in seen:
            raise Broken(f"{path} is reached twice", found, link)
        if len(found) == LIMIT:
            raise TooLong(f"more than {LIMIT} nodes", found)
        seen.add(address)
        try:
            padre = reader.address(reader.link(node, "padre"))
            found.append(Node(address, reader.number(node, "valore"), above, side))
            if above is not None:
                found[above].children[side] = len(found) - 1
            if padre != parent:
                link = (address, "padre", padre)
                raise Broken(f"the padre of {path} is not its parent: either {path}.padre or its "
                             f"parent's {side} is stale (a freed node? the asan preset names it)",
                             found, link)
            children = [(reader.link(node, side), side) for side in ("destro", "sinistro")]
        except Unreadable as error:
            raise Broken(f"{path} is {error}", found, link) from None
        index = len(found) - 1
        for child, side in children:
            if reader.address(child) != 0:
                waiting.append((child, address, index, side, f"{path}.{side}"))
    return found


def shape(found):
    """The nodes read by nodes() written out in preorder: "value(left,right)", a leaf as its value
    alone, an empty side as nothing."""
    text = []
    waiting = [0]
    while waiting:
        item = waiting.pop()
        if isinstance(item, str):
            text.append(item)
            continue
        node = found[item]
        text.append(str(node.value))
        if node.children:
            # Last first: what is taken from the end of waiting comes out first.
            for side, text_after in (("destro", ")"), ("sinistro", ",")):
                waiting.append(text_after)
                if side in node.children:
                    waiting.append(node.children[side])
            waiting.append("(")
    return "".join(text)


def tree(reader, root, kind, top="root"):
    """The tree under root: its summary, its nodes read, in preorder, and what is wrong with it (a
    Broken, a TooLong or an Unreadable), or None. The summary: "kind N nodes: value(left,right)";
    where it is broken, "kind at ADDRESS broken: where"; past LIMIT nodes, "kind more than LIMIT
    nodes"; for a handle that leads nowhere, "nullptr" or "kind in unreadable memory at ..."."""
    address = reader.address(root)
    if address == 0:
        return "nullptr", [], None
    try:
        found = nodes(reader, root, top)
    except Unreadable as error:
        return f"{kind} in {error}", [], error
    except TooLong as long:
        return f"{kind} {long}", long.found, long
    except Broken as broken:
        return f"{kind} at {address:#x} broken: {broken}", broken.found, broken
    return f"{kind} {len(found)} node{'s' if len(found) > 1 else ''}: {shape(found)}", found, None


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
