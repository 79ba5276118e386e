"""Drawings of the lists, stacks and trees, for the command disegna of gdb and LLDB alike: in text,
within a terminal's width, or as Graphviz's source, each link its own labelled arrow.

A structure is read as the views read it (structures.py), never more than LIMIT records, and drawn
as far as it could be read: where it is broken, the link to blame is drawn in red, and the words
say what is wrong; what is left out is said too. Each structure to draw is a Drawn: the expression
that names it, its kind ("pila", "lista" or "albero") and the debugger's value for it. A position
(a cell or a node) named with the structure it belongs to is marked in its drawing.
"""

import shlex
import shutil
import subprocess
import textwrap
from collections import namedtuple

import structures

Drawn = namedtuple("Drawn", "name kind value")

WIDTH = 80  # the columns of a common terminal
ROWS = 30  # a peg's rows, its base and name included
LEVELS = 15  # a tree's levels in text
LABEL = 60  # the characters of a line of a picture's label


class Read:
    """What was read of one structure: its summary, its records (cells first to last, as
    (address, element) pairs, or tree nodes in preorder), and what is wrong with it, or None. For
    a broken ring, rest holds the cells read from the sentinel's side, and target says where the
    link to blame leads. marks holds the names of the positions marked, by address."""

    def __init__(self, reader, drawn):
        self.drawn = drawn
        self.sentinel = reader.address(drawn.value)
        self.rest, self.target, self.marks = [], "", {}
        if drawn.kind == "albero":
            self.summary, self.records, self.problem = structures.tree(reader, drawn.value,
                                                                       "BINALBERO", drawn.name)
            return
        order = ", bottom to top" if drawn.kind == "pila" else ""
        self.summary, cells, self.problem = structures.sequence(reader, drawn.value, drawn.kind,
                                                                order)
        self.records = [(reader.address(cell), element) for cell, element in cells]
        if isinstance(self.problem, structures.Broken) and self.problem.link:
            self.rest = [(reader.address(cell), element) for cell, element in self.problem.rest]
            self.target = where(self.problem, self.records + self.rest)

    @classmethod
    def made(cls, drawn, summary, records, problem):
        """A structure that the caller read by itself, with a sentinel and nothing marked: the
        grader's drawings of what the tests describe."""
        one = cls.__new__(cls)
        one.drawn, one.summary, one.records, one.problem = drawn, summary, records, problem
        one.sentinel, one.rest, one.target, one.marks = 1, [], "", {}
        return one

    def addresses(self):
        """The addresses of the records drawn, a ring's sentinel included."""
        if self.drawn.kind == "albero":
            return {node.address for node in self.records}
        return {self.sentinel} | {address for address, _ in self.records + self.rest}

    def label(self, address, value):
        """A record's label: its value, after the names of the positions marked there."""
        names = self.marks.get(address)
        return f"({','.join(names)}){value}" if names else str(value)

    def trouble(self):
        """The line that says what is wrong, left out or null, or None."""
        wrong = self.problem is not None or self.sentinel == 0
        return f"{self.drawn.name}: {self.summary}" if wrong else None


def where(broken, cells):
    """Where the link to blame in a broken ring leads, in words: a cell drawn by its element,
    another by the element it holds, memory that cannot be read by its address. The sentinel's
    pred is to blame where the last cell leads to the sentinel and the sentinel leads elsewhere."""
    address = broken.link[2]
    if broken.link[1] == "pred":
        return "[sentinel]"
    if address == 0:
        return "null"
    drawn = dict(cells)
    if address in drawn:
        return str(drawn[address])
    if broken.held is not None:
        return f"a cell holding {broken.held}"
    return f"unreadable {address:#x}"


def text(read):
    """The structures read in text: the stacks side by side as pegs, then each list as its ring,
    then each tree top-down."""
    blocks = []
    pegs = [one for one in read if one.drawn.kind == "pila"]
    if pegs:
        blocks.append(peg_lines(pegs))
    for one in read:
        if one.drawn.kind == "lista":
            blocks.append(ring_lines(one))
        elif one.drawn.kind == "albero":
            blocks.append(tree_lines(one))
    return "\n\n".join("\n".join(line.rstrip() for line in block) for block in blocks) + "\n"


def peg_lines(pegs):
    """Stacks side by side, each a peg with its disks, the top at the top, the base with the
    stack's name at the bottom; each disk as wide as its number is large among the disks. A peg
    too high for ROWS shows its upper disks and how many more are below."""
    gap = 2
    column = max(9, min(25, (WIDTH - gap * (len(pegs) - 1)) // len(pegs)))
    largest = max([abs(element) for one in pegs for _, element in one.records] + [1])
    height = min(ROWS - 3, max(len(one.records) for one in pegs))
    rod = "|".center(column)

    def disk(one, address, element):
        label = one.label(address, element)
        side = round((column * abs(element) / largest - len(label)) / 2)
        side = max(1, min(side, (column - len(label)) // 2))
        return ("=" * side + label + "=" * side).center(column)

    columns = []
    for one in pegs:
        disks = [disk(one, address, element) for address, element in reversed(one.records)]
        if len(disks) > height:
            rows = disks[:height - 1] + [f"{len(disks) - height + 1} more".center(column)]
        else:
            rows = [rod] * (height - len(disks)) + disks
        columns.append([rod, *rows, "-" * column, one.drawn.name[:column].center(column)])
    lines = [(" " * gap).join(row) for row in zip(*columns)]
    return lines + [line for line in (one.trouble() for one in pegs) if line]


def ring_lines(one):
    """A list as its ring in order, from the sentinel, over as many rows of the width as it needs,
    with the link that closes it. A broken ring ends at the link to blame, with where it leads, and
    goes on, on a row of its own, with the cells read from the sentinel's side, which close it.
    What is past ROWS rows is left out, and said so."""
    lines = [f"{one.drawn.name}: {one.summary}"]
    if one.sentinel == 0:
        return lines
    parts = [("+-> ", one.label(one.sentinel, "[sentinel]"))]
    parts += [(" <-> ", one.label(address, element)) for address, element in one.records]
    broken = one.problem is not None and not isinstance(one.problem, structures.TooLong)
    if broken:
        parts.append((" -x-> ", one.target))
        if one.rest:
            parts += [("\n", "..."), (" ", one.label(*one.rest[0]))]
            parts += [(" <-> ", one.label(address, element)) for address, element in one.rest[1:]]
    rows, row = [], ""
    shown = 0
    for separator, part in parts:
        # Room is kept at each row's end for what may close the ring: " <-> ... <-+".
        if separator == "\n" or row and len(row + separator + part + " <-> ... <-+") > WIDTH:
            if len(rows) == ROWS - 4:
                break
            rows.append(row + separator.rstrip())
            row, separator = "|   ", ""
        row += separator + part
        shown += 1
    left_out = []
    if shown < len(parts):
        left_out.append(f"(from {parts[shown][1]} on left out: past {ROWS - 3} rows)")
    if isinstance(one.problem, structures.TooLong):
        return lines + rows + [row + " <-> ..."] + left_out
    if broken and not one.rest:
        return lines + rows + [row]
    row += " <-> ... <-+" if shown < len(parts) else " <-+"
    lines += rows + [row, "|" + " " * (len(row) - 2) + "|", "+" + "-" * (len(row) - 2) + "+"]
    return lines + left_out


def tree_lines(one):
    """A tree top-down: each node's value above its children, joined to them by a line; a node
    with two children sits midway between them, one with one child beside it. Nodes past the width
    or below LEVELS are left out, and said so."""
    found = one.records
    lines = [f"{one.drawn.name}: {one.summary}"]
    if not found:
        return lines
    labels = [one.label(node.address, node.value) for node in found]
    slot = max(len(label) for label in labels) + 2
    where = place(found, slot)
    depth = [0] * len(found)
    for index, node in enumerate(found):
        if node.parent is not None:
            depth[index] = depth[node.parent] + 1
    levels = min(LEVELS, max(depth) + 1)
    grid = [[" "] * WIDTH for _ in range(2 * levels - 1)]
    left_out = 0
    for index, node in enumerate(found):
        label = labels[index]
        start = where[index] - len(label) // 2
        if depth[index] >= levels or start + len(label) > WIDTH:
            left_out += 1
            continue
        grid[2 * depth[index]][start:start + len(label)] = label
        children = [where[child] for child in node.children.values()]
        if children and depth[index] + 1 < levels:
            row = grid[2 * depth[index] + 1]
            for column in range(min(children + [where[index]]), max(children + [where[index]]) + 1):
                if column < WIDTH:
                    row[column] = "+" if column in children or column == where[index] else "-"
    rows = ["".join(row).rstrip() for row in grid]
    while not rows[-1]:
        rows.pop()
    lines += rows
    if left_out:
        nodes = f"{left_out} node{'s' if left_out > 1 else ''}"
        lines.append(f"({nodes} left out: past column {WIDTH} or below level {levels})")
    return lines


def place(found, slot):
    """Each node's column: a leaf takes the next slot of the width given; a node with two children
    sits midway between them, one with only a left child in the slot after it, one with only a
    right child in the slot before it. The walk keeps its own stack."""
    where = [0] * len(found)
    taken = 0
    waiting = [(0, False)]
    while waiting:
        index, children_placed = waiting.pop()
        sides = found[index].children
        if children_placed:
            if len(sides) == 2:
                where[index] = (where[sides["sinistro"]] + where[sides["destro"]]) // 2
            elif "sinistro" in sides:
                where[index] = taken * slot + slot // 2
                taken += 1
            continue
        if not sides:
            where[index] = taken * slot + slot // 2
            taken += 1
            continue
        waiting.append((index, True))
        if "destro" in sides:
            waiting.append((sides["destro"], False))
        if len(sides) == 1 and "destro" in sides:
            where[index] = taken * slot + slot // 2
            taken += 1
        if "sinistro" in sides:
            waiting.append((sides["sinistro"], False))
    return where


def quoted(words):
    """words as a Graphviz string, over lines of at most LABEL characters."""
    lines = textwrap.wrap(words, LABEL, break_long_words=False) or [""]
    return '"' + "\\n".join(line.replace("\\", "\\\\").replace('"', '\\"') for line in lines) + '"'


def graph(read):
    """The structures read as one Graphviz graph: each a cluster labelled with its name and
    summary; each link its own arrow, labelled with its field; the sentinel, a stack's top and a
    tree's root labelled; the link to blame in red, with what is wrong; each position marked by an
    arrow in blue from its name."""
    lines = ["digraph disegno {", '    node [shape=box, fontname="Helvetica"];',
             '    edge [fontname="Helvetica", fontsize=10];']
    for number, one in enumerate(read):
        lines += [f"    subgraph cluster_{number} {{",
                  f"        label={quoted(f'{one.drawn.name}: {one.summary}')};"]
        ids = {}
        if one.drawn.kind == "albero":
            lines += tree_graph(one, number, ids)
        elif one.summary != "nullptr":
            lines += ring_graph(one, number, ids)
        lines += blame(one, number, ids)
        for index, (address, names) in enumerate(one.marks.items()):
            if address in ids:
                lines += [f"        n{number}_m{index} [label={quoted(','.join(names))}, "
                          "shape=plaintext, fontcolor=blue];",
                          f"        n{number}_m{index} -> {ids[address]} [color=blue];"]
        lines.append("    }")
    return "\n".join(lines + ["}"]) + "\n"


def ring_graph(one, number, ids):
    """A ring's cells and its succ and pred arrows. A stack stands upright, its top at the top and
    its sentinel at the bottom; a list lies in a row from its sentinel. A broken ring's cells read
    from the sentinel's side follow the others, and close it."""
    stack = one.drawn.kind == "pila"
    sentinel = f"n{number}_s"
    ids[one.sentinel] = sentinel
    lines = [f'        {sentinel} [label="sentinel", style=dashed];']
    chains = [[sentinel], []]
    for index, (address, element) in enumerate(one.records + one.rest):
        cell = f"n{number}_{index}"
        ids[address] = cell
        top = stack and index == len(one.records) - 1 and one.problem is None
        mark = ', xlabel="top"' if top else ""
        lines.append(f'        {cell} [label="{element}"{mark}];')
        chains[index >= len(one.records)].append(cell)
    if one.problem is None:
        chains[0].append(sentinel)
    elif one.rest:
        chains[1].append(sentinel)
    for chain in chains:
        for before, after in zip(chain, chain[1:]):
            # A stack's pred arrows go down from its top to its sentinel and set the order; its
            # succ arrows go up beside them. A list's succ arrows set it, from the sentinel to the
            # last element. The two arrows that close the ring set nothing.
            free = ", constraint=false"
            closing = free if after == sentinel else ""
            succ, pred = (free, closing) if stack else (closing, free)
            lines.append(f'        {before} -> {after} [label="succ"{succ}];')
            lines.append(f'        {after} -> {before} [label="pred"{pred}];')
    if not stack:
        cells = [sentinel] + [ids[address] for address, _ in one.records + one.rest]
        lines.append(f"        {{ rank=same; {'; '.join(cells)} }}")
    return lines


def tree_graph(one, number, ids):
    """A tree's nodes, their sinistro and destro arrows down and their padre arrows up."""
    lines = []
    blamed = getattr(one.problem, "link", None) or (None, None, None)
    for index, node in enumerate(one.records):
        ids[node.address] = f"n{number}_{index}"
        root = ', xlabel="root"' if index == 0 else ""
        lines.append(f'        n{number}_{index} [label="{node.value}"{root}];')
    for index, node in enumerate(one.records):
        for side, child in node.children.items():
            lines.append(f'        n{number}_{index} -> n{number}_{child} [label="{side}"];')
            # A padre to blame is drawn in red instead.
            if blamed[:2] != (one.records[child].address, "padre"):
                lines.append(f'        n{number}_{child} -> n{number}_{index} '
                             '[label="padre", style=dashed, constraint=false];')
    return lines


RED = "color=red, fontcolor=red"


def blame(one, number, ids):
    """The link to blame, in red, to the record it leads to or to a note of where it leads; or a
    note of what is wrong or left out."""
    problem = one.problem
    if problem is None:
        return []
    words = str(problem)
    note = f"n{number}_note"
    link = getattr(problem, "link", None)
    if link is None or link[0] not in ids:
        return [f"        {note} [label={quoted(words)}, {RED}, shape=note];"]
    source, field, target = link
    lines = []
    if target not in ids:
        words_there = one.target or ("null" if target == 0 else f"{target:#x}")
        lines.append(f"        {note} [label={quoted(words_there)}, {RED}, shape=note];")
        ids[target] = note
    lines.append(f"        {ids[source]} -> {ids[target]} [label={quoted(f'{field}: {words}')}, "
                 f"{RED}, constraint=false];")
    return lines


def save(path, source):
    """Writes a drawing to path by its extension: .dot the source itself, .svg and .png the picture
    that Graphviz's dot renders. Returns what was done, in words."""
    kind = path.rsplit(".", 1)[-1].lower() if "." in path else ""
    if kind not in ("dot", "svg", "png"):
        return f"{path}: name a .dot, .svg or .png file"
    if kind != "dot" and shutil.which("dot") is None:
        path = path[:-len(kind)] + "dot"
        kind = "dot"
        missing = "; dot is missing: install the package graphviz to render it"
    else:
        missing = ""
    if kind == "dot":
        try:
            with open(path, "w", encoding="utf-8") as file:
                file.write(source)
        except OSError as error:
            return f"{path}: {error.strerror}"
    else:
        rendered = subprocess.run(["dot", f"-T{kind}", "-o", path], input=source.encode(),
                                  capture_output=True, check=False)
        if rendered.returncode != 0:
            return f"{path}: dot failed: {rendered.stderr.decode().strip()}"
    return f"drawn in {path}{missing}"


USAGE = "usage: disegna [-o FILE] EXPRESSION..."
KINDS = "a drawing holds a pila, a lista, a tree, a cell or a node"


def parse(argument):
    """The command's arguments, split as a shell splits words: the file to draw in, or None for
    text, and the expressions. ValueError with the usage where they are wrong."""
    try:
        words = shlex.split(argument)
    except ValueError as error:
        raise ValueError(f"{error}; {USAGE}") from None
    path = None
    if words[:1] == ["-o"]:
        if len(words) < 2:
            raise ValueError(USAGE)
        path, words = words[1], words[2:]
    if not words:
        raise ValueError(USAGE)
    return path, words


def kind(type_name, pointee):
    """What disegna draws a value as, by its type's name as declared and, for a pointer, the name
    of the record of ours it points to: "pila", "lista" or "albero"; "cella" for any other pointer
    to a cell (a posizione, a cella *, an auto handle), "nodo" for any other pointer to a node; or
    None for anything else."""
    if pointee == "cella":
        return type_name if type_name in ("pila", "lista") else "cella"
    if pointee == "NODO":
        return "albero" if type_name == "BINALBERO" else "nodo"
    return None


def ring_of(reader, mark):
    """The ring that the cell mark names belongs to, as a Drawn named after mark and how the ring
    was found: the list or stack in scope whose ring holds the cell, else the ring with the cell
    taken as its sentinel, as an auto handle that crealista gave is."""
    address = reader.address(mark.value)
    for sentinel, (name, value) in reader.sentinels().items():
        try:
            cells = structures.ring(reader, value)
        except structures.Broken as broken:
            cells = broken.found + broken.rest
        except structures.Unreadable:
            continue
        if address in {sentinel} | {reader.address(cell) for cell, _ in cells}:
            return Drawn(f"{mark.name}, in {name}", "lista", value)
    return Drawn(f"{mark.name}, taken as a sentinel", "lista", mark.value)


def gather(reader, expressions, evaluate):
    """The structures that expressions name, read, and a line for each expression that cannot be
    drawn, naming it and why. evaluate(expression) gives the debugger's value, its type as written,
    its type's name as declared and, for a pointer to a record of ours, the record's name; or
    raises ValueError with why it cannot. Every expression that can be drawn is read. A pointer to
    a cell or a node is marked in the first structure read that holds it; one that no structure
    holds is read itself: a node as its subtree, a cell as its ring (ring_of)."""
    read, marks, wrong = [], [], []
    for expression in expressions:
        try:
            value, written, name, pointee = evaluate(expression)
        except ValueError as error:
            wrong.append(f"{expression}: {error}")
            continue
        drawn = kind(name, pointee)
        if drawn is None:
            wrong.append(f"{expression} has type {written}; {KINDS}")
        elif drawn in ("cella", "nodo"):
            marks.append(Drawn(expression, drawn, value))
        else:
            read.append(Read(reader, Drawn(expression, drawn, value)))
    for mark in marks:
        address = reader.address(mark.value)
        home = next((one for one in read if address and address in one.addresses()), None)
        if home is None:
            if mark.kind == "nodo" or address == 0:
                alone = Drawn(mark.name, "albero" if mark.kind == "nodo" else "lista", mark.value)
            else:
                alone = ring_of(reader, mark)
            home = Read(reader, alone)
            read.append(home)
        home.marks.setdefault(address, []).append(mark.name)
    return read, wrong


def command(reader, argument, evaluate):
    """disegna's work on its argument: what to write, and a line for each expression it could not
    draw (gather). ValueError with the usage where the argument is wrong."""
    path, expressions = parse(argument)
    read, wrong = gather(reader, expressions, evaluate)
    if not read:
        return "", wrong
    if path is None:
        return text(read), wrong
    return save(path, graph(read)) + "\n", wrong
