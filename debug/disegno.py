"""Drawings of the lists, stacks and trees, for the command disegna of gdb and LLDB alike: in text,
within a terminal's width, or as Graphviz's source, each link its own labelled arrow.

A structure is read as the views read it (structures.py), never more than LIMIT records, and drawn
as far as it could be read: where it is broken, the link to blame is drawn in red, and the words
say what is wrong; what is left out is said too. Each structure to draw is a Drawn: the expression
that names it, its kind ("pila", "lista" or "albero") and the debugger's value for it.
"""

import shlex
import shutil
import subprocess
from collections import namedtuple

import structures

Drawn = namedtuple("Drawn", "name kind value")

WIDTH = 80  # the columns of a common terminal
ROWS = 30  # a peg's rows, its base and name included
LEVELS = 15  # a tree's levels in text


class Read:
    """What was read of one structure: its summary, its records (cells first to last, as
    (address, element) pairs, or tree nodes in preorder), and what is wrong with it, or None."""

    def __init__(self, reader, drawn):
        self.drawn = drawn
        self.sentinel = reader.address(drawn.value)
        if drawn.kind == "albero":
            self.summary, self.records, self.problem = structures.tree(reader, drawn.value,
                                                                       "BINALBERO")
        else:
            order = ", bottom to top" if drawn.kind == "pila" else ""
            self.summary, cells, self.problem = structures.sequence(reader, drawn.value,
                                                                    drawn.kind, order)
            self.records = [(reader.address(cell), element) for cell, element in cells]

    def trouble(self):
        """The line that says what is wrong, left out or null, or None."""
        wrong = self.problem is not None or self.sentinel == 0
        return f"{self.drawn.name}: {self.summary}" if wrong else None


def text(reader, drawings):
    """The drawings in text: the stacks side by side as pegs, then each list as its ring, then
    each tree top-down."""
    read = [Read(reader, drawn) for drawn in drawings]
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

    def disk(element):
        label = str(element)
        side = round((column * abs(element) / largest - len(label)) / 2)
        side = max(1, min(side, (column - len(label)) // 2))
        return ("=" * side + label + "=" * side).center(column)

    columns = []
    for one in pegs:
        disks = [element for _, element in reversed(one.records)]
        if len(disks) > height:
            rows = [disk(element) for element in disks[:height - 1]]
            rows.append(f"{len(disks) - height + 1} more".center(column))
        else:
            rows = [rod] * (height - len(disks)) + [disk(element) for element in disks]
        columns.append([rod, *rows, "-" * column, one.drawn.name[:column].center(column)])
    lines = [(" " * gap).join(row) for row in zip(*columns)]
    return lines + [line for line in (one.trouble() for one in pegs) if line]


def ring_lines(one):
    """A list as its ring in order, from the sentinel, over as many rows of the width as it needs,
    with the link that closes it; elements past ROWS rows are left out, and said so."""
    lines = [f"{one.drawn.name}: {one.summary}"]
    if one.sentinel == 0:
        return lines
    parts = ["[sentinel]"] + [str(element) for _, element in one.records]
    rows, row = [], "+-> " + parts[0]
    shown = 1
    for part in parts[1:]:
        # Room is kept at each row's end for what may close the ring: " <-> ... <-+".
        if len(row) + len(" <-> ") + len(part) + len(" <-> ... <-+") <= WIDTH:
            row += " <-> " + part
        elif len(rows) < ROWS - 4:
            rows.append(row + " <->")
            row = "|   " + part
        else:
            break
        shown += 1
    left_out = [f"(elements {shown} and on left out: past {ROWS - 3} rows)"] * (shown < len(parts))
    if isinstance(one.problem, structures.TooLong):
        return lines + rows + [row + " <-> ..."] + left_out
    if one.problem is not None:
        return lines + rows + [row + " -x->"]
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
    slot = max(len(str(node.value)) for node in found) + 2
    where = place(found, slot)
    depth = [0] * len(found)
    for index, node in enumerate(found):
        if node.parent is not None:
            depth[index] = depth[node.parent] + 1
    levels = min(LEVELS, max(depth) + 1)
    grid = [[" "] * WIDTH for _ in range(2 * levels - 1)]
    left_out = 0
    for index, node in enumerate(found):
        label = str(node.value)
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
    return '"' + words.replace("\\", "\\\\").replace('"', '\\"') + '"'


def graph(reader, drawings):
    """The drawings as one Graphviz graph: each structure a cluster labelled with its name and
    summary; each link its own arrow, labelled with its field; the sentinel, a stack's top and a
    tree's root marked; the link to blame in red, with what is wrong."""
    lines = ["digraph disegno {", '    node [shape=box, fontname="Helvetica"];',
             '    edge [fontname="Helvetica", fontsize=10];']
    for number, drawn in enumerate(drawings):
        one = Read(reader, drawn)
        lines += [f"    subgraph cluster_{number} {{",
                  f"        label={quoted(f'{drawn.name}: {one.summary}')};"]
        ids = {}
        if drawn.kind == "albero":
            lines += tree_graph(one, number, ids)
        elif one.summary != "nullptr":
            lines += ring_graph(one, number, ids)
        lines += blame(one, number, ids)
        lines.append("    }")
    return "\n".join(lines + ["}"]) + "\n"


def ring_graph(one, number, ids):
    """A ring's cells and its succ and pred arrows. A stack stands upright, its top at the top and
    its sentinel at the bottom; a list lies in a row from its sentinel."""
    stack = one.drawn.kind == "pila"
    sentinel = f"n{number}_s"
    ids[one.sentinel] = sentinel
    lines = [f'        {sentinel} [label="sentinel", style=dashed];']
    cells = [sentinel]
    for index, (address, element) in enumerate(one.records):
        cell = f"n{number}_{index}"
        ids[address] = cell
        top = stack and index == len(one.records) - 1 and one.problem is None
        mark = ', xlabel="top"' if top else ""
        lines.append(f'        {cell} [label="{element}"{mark}];')
        cells.append(cell)
    closed = one.problem is None
    for before, after in zip(cells, cells[1:] + ([sentinel] if closed else [])):
        # A stack's pred arrows go down from its top to its sentinel and set the order; its succ
        # arrows go up beside them. A list's succ arrows set it, from the sentinel to the last
        # element. The two arrows that close the ring set nothing.
        free = ", constraint=false"
        closing = free if after == sentinel else ""
        succ, pred = (free, closing) if stack else (closing, free)
        lines.append(f'        {before} -> {after} [label="succ"{succ}];')
        lines.append(f'        {after} -> {before} [label="pred"{pred}];')
    if not stack:
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
        where = "null" if target == 0 else f"{target:#x}"
        lines.append(f"        {note} [label={quoted(where)}, {RED}, shape=note];")
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
KINDS = "disegna draws a pila, a lista or a tree"


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
    of the record it points to: "pila", "lista", "albero", or None for anything else."""
    if type_name in ("pila", "lista"):
        return type_name
    if type_name == "BINALBERO" or pointee == "NODO":
        return "albero"
    return None


def command(reader, argument, evaluate):
    """disegna's work on its argument: what to write, and a line for each expression it could not
    draw, naming it and why. evaluate(expression) gives the debugger's value, its type as written,
    its type's name as declared and, for a pointer, the name of the record it points to; or raises
    ValueError with why it cannot. Every expression that can be drawn is drawn. ValueError with the
    usage where the argument is wrong."""
    path, expressions = parse(argument)
    drawings, wrong = [], []
    for expression in expressions:
        try:
            value, written, name, pointee = evaluate(expression)
        except ValueError as error:
            wrong.append(f"{expression}: {error}")
            continue
        drawn = kind(name, pointee)
        if drawn is None:
            wrong.append(f"{expression} has type {written}; {KINDS}")
        else:
            drawings.append(Drawn(expression, drawn, value))
    if not drawings:
        return "", wrong
    if path is None:
        return text(reader, drawings), wrong
    return save(path, graph(reader, drawings)) + "\n", wrong
