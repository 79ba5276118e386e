"""gdb's views of the lists, stacks and trees: pretty printers for the pointers to a record of ours
(a cella or a NODO, known by its fields), by the name of the type as the variable is declared
(lista, pila, posizione, BINALBERO; any other is a cella * or a NODO *), and for a cella itself,
in every program that gdb debugs once this file is loaded: sourced, or imported by the -gdb.py
file beside each of the project's binaries."""

import os
import sys

import gdb
import gdb.printing

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import disegno  # noqa: E402  (found beside this file)
import film  # noqa: E402
import structures  # noqa: E402


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

    @staticmethod
    def sentinels():
        """The lists and stacks of every frame, innermost first, and of the globals in sight, the
        globals' blocks read once."""
        found, read = {}, set()
        try:
            frame = gdb.selected_frame()
        except gdb.error:
            return found
        while frame is not None:
            try:
                block = frame.block()
            except RuntimeError:
                block = None
            while block is not None and (block.start, block.end) not in read:
                if block.is_global or block.is_static:
                    read.add((block.start, block.end))
                for symbol in block:
                    kind = symbol.type
                    if kind is None or not (symbol.is_variable or symbol.is_argument):
                        continue
                    referred = kind.code == gdb.TYPE_CODE_REF
                    declared = (kind.target() if referred else kind).unqualified().name
                    if declared in ("lista", "pila"):
                        try:
                            value = symbol.value(frame)
                            value = value.referenced_value() if referred else value
                            found.setdefault(int(value), (symbol.name, value))
                        except gdb.error:
                            pass
                block = block.superblock
            frame = frame.older()
        return found


READER = Reader()


def ours(kind):
    """The name of the record of ours that kind is ("cella" or "NODO"), or None."""
    kind = kind.strip_typedefs()
    if kind.code != gdb.TYPE_CODE_STRUCT:
        return None
    return kind.tag if structures.ours(kind.tag, [field.name for field in kind.fields()]) else None


class View:
    """A view with children. gdb's command line asks for the summary (to_string) before the
    children, and so does gdb/MI from gdb 16 on; gdb/MI before it shows "{...}" as the value of any
    view with children and never asks for the summary, so there the first child carries it."""

    def __init__(self, summary):
        self.summary = summary
        self.asked = False

    def to_string(self):
        self.asked = True
        return self.summary

    def children(self):
        if not self.asked:
            yield "summary", text(self.summary)
        yield from self.parts()


# The type of a View's summary child: an array of volatile char, which gdb keeps in its own memory.
# (A Python str would be an array of char, which gdb copies into the program's memory, calling its
# malloc, wherever its address is asked for.)
TEXT = gdb.lookup_type("char").volatile()


def text(words):
    """words as a value of gdb's own, to show as a child."""
    encoded = words.encode()
    return gdb.Value(encoded, TEXT.array(len(encoded) - 1))


class Text:
    """A View's summary child: shown as the text it holds, not as an array of characters."""

    def __init__(self, value):
        self.text = value.string()

    def to_string(self):
        return self.text


class Sequence(View):
    """A lista from first to last, or a pila from bottom to top, with its elements as children."""

    def __init__(self, value, kind, order):
        summary, self.cells, _ = structures.sequence(READER, value, kind, order)
        super().__init__(summary)

    def parts(self):
        return ((f"[{i}]", cell.dereference()["elem"]) for i, (cell, _) in enumerate(self.cells))

    @staticmethod
    def display_hint():
        return "array"


class Position:
    """A posizione, a cella * or a cella: the element held and its neighbours'."""

    def __init__(self, pointer, kind):
        self.summary = structures.position(READER, pointer, kind)

    def to_string(self):
        return self.summary


# Memory may change at each stop, and where the user writes to it.
ABOVE = structures.Above()
gdb.events.stop.connect(lambda _: ABOVE.forget())
gdb.events.memory_changed.connect(lambda _: ABOVE.forget())


class Tree(View):
    """A BINALBERO or a NODO *: the node count and the tree, with the node's value, its children
    and its parent's value to expand."""

    def __init__(self, pointer, kind):
        self.pointer = pointer
        self.path = ABOVE.path(int(pointer))
        top = "root" if kind == "BINALBERO" else "here"
        super().__init__(structures.tree(READER, pointer, kind, top)[0])

    def parts(self):
        """The node's fields, all read before the first is shown, so that a node that cannot be
        read shows none."""
        found = []
        if int(self.pointer) != 0:
            try:
                node = self.pointer.dereference()
                valore = node["valore"]
                valore.fetch_lazy()
                found = [("valore", valore)]
                sides = [side for side in ("sinistro", "destro") if int(node[side]) != 0]
                twice = ABOVE.twice(self.path, [int(node[side]) for side in sides])
                for side, again in zip(sides, twice):
                    reached = text(f"{int(node[side]):#x}, reached twice")
                    found.append((side, reached if again else node[side]))
                padre = node["padre"]
                if int(padre) != 0:
                    padre = padre.dereference()["valore"]
                    padre.fetch_lazy()
                found.append(("padre", padre))
            except gdb.MemoryError:
                found = []
        return found


def lookup(value):
    """The view of value, or None to leave it to gdb, which shows an optimised-out value as such,
    and any record not ours. A null handle is "nullptr", with nothing to open."""
    if value.is_optimized_out:
        return None
    kind = value.type.unqualified()
    if kind.code == gdb.TYPE_CODE_ARRAY and kind.target() == TEXT:
        return Text(value)
    stripped = kind.strip_typedefs()
    if stripped.code == gdb.TYPE_CODE_PTR:
        record = ours(stripped.target())
        if record is None:
            return None
        if int(value) == 0:
            return Position(value, "")
        if record == "NODO":
            return Tree(value, "BINALBERO" if kind.name == "BINALBERO" else "NODO *")
        if kind.name in ("lista", "pila"):
            return Sequence(value, kind.name, ", bottom to top" if kind.name == "pila" else "")
        return Position(value, "posizione" if kind.name == "posizione" else "cella *")
    if ours(stripped) == "cella" and value.address is not None:
        return Position(value.address, "cella")
    return None


lookup.name = "strutture"
lookup.enabled = True
gdb.printing.register_pretty_printer(None, lookup, replace=True)


class Disegna(gdb.Command):
    """Draws lists, stacks and trees: disegna [-o FILE] EXPRESSION...
Without -o, in text: the stacks side by side as pegs, each list as its ring, each tree top-down.
With -o FILE, by the file's extension: .dot for Graphviz's source, .svg or .png rendered by
Graphviz's dot. A position or a node named beside its list or tree is marked there; named alone,
it is drawn as the ring it belongs to, or as its subtree. A name not in the selected frame is
looked up in its callers. The arguments are split as a shell splits words."""

    def __init__(self):
        super().__init__("disegna", gdb.COMMAND_DATA, gdb.COMPLETE_EXPRESSION)

    def invoke(self, argument, from_tty):
        try:
            drawing, wrong = disegno.command(READER, argument, evaluate)
        except ValueError as error:
            raise gdb.GdbError(str(error)) from None
        gdb.write(drawing)
        if wrong:
            raise gdb.GdbError("\n".join(wrong))


def local(name, frame):
    """The variable or argument called name in the innermost of frame and its callers that has
    one, or None: read from their blocks, which is much quicker than a failed evaluation."""
    while frame is not None:
        try:
            block = frame.block()
        except RuntimeError:
            block = None
        while block is not None and not (block.is_global or block.is_static):
            for symbol in block:
                if symbol.name == name and (symbol.is_variable or symbol.is_argument):
                    return symbol.value(frame)
            block = block.superblock
        frame = frame.older()
    return None


def evaluate(expression):
    """An expression's value for disegno.command: a name, the variable of the innermost of the
    selected frame and its callers that has it; any other expression, evaluated in the selected
    frame or, where it cannot be there, in the innermost of the callers where it can, so that a
    caller's variable is found from a function it called."""
    selected = frame = gdb.selected_frame()
    first = None
    value = local(expression, frame) if expression.isidentifier() else None
    try:
        while value is None:
            frame.select()
            try:
                value = gdb.parse_and_eval(expression)
            except gdb.error as error:
                first = first or error
                frame = frame.older()
                if frame is None:
                    raise ValueError(first) from None
    finally:
        selected.select()
    try:
        if value.type.code == gdb.TYPE_CODE_REF:
            value = value.referenced_value()
        value.fetch_lazy()
    except gdb.error as error:
        raise ValueError(error) from None
    kind = value.type.strip_typedefs()
    pointee = ours(kind.target()) if kind.code == gdb.TYPE_CODE_PTR else None
    return value, str(value.type), value.type.unqualified().name, pointee


Disegna()


def shown(value):
    """A value in words, as the views show it."""
    view = lookup(value)
    return view.to_string() if view is not None else value.format_string()


def stop(frame):
    """A stop's caption: the frame's function with its arguments, and where it stands."""
    sal = frame.find_sal()
    try:
        block = frame.block()
        while block.function is None:
            block = block.superblock
        arguments = [(symbol.name, shown(symbol.value(frame))) for symbol in block
                     if symbol.is_argument]
    except RuntimeError:
        arguments = []
    file = os.path.basename(sal.symtab.filename) if sal.symtab else "?"
    return film.caption(frame.name() or "??", arguments, file, sal.line)


def height(frame):
    """The number of frames from frame to the outermost."""
    count = 0
    while frame is not None:
        count, frame = count + 1, frame.older()
    return count


class Filma(gdb.Command):
    """Films lists, stacks and trees: filma [--righe] [-n FRAMES] -o FILE.html EXPRESSION...
From where the program stands, continues it from stop to stop (the breakpoints set) and draws the
structures named at each, as disegna draws them, until the program ends or the film holds FRAMES
frames, 5000 by default. With --righe, steps over each line of the innermost function until it
returns, the breakpoints held back, and draws after each line that changed a structure. Each name
is looked up as disegna looks it up. The film is one HTML page, with all it needs within it: open
it in a browser."""

    def __init__(self):
        super().__init__("filma", gdb.COMMAND_DATA, gdb.COMPLETE_EXPRESSION)

    def invoke(self, argument, from_tty):
        try:
            order = film.parse(argument)
        except ValueError as error:
            raise gdb.GdbError(str(error)) from None
        if gdb.selected_thread() is None:
            raise gdb.GdbError("filma: the program is not running")
        depth = height(gdb.newest_frame())
        run = []  # line by line, where the line just run is

        def where():
            return film.line_run(*run[-1]) if run else stop(gdb.selected_frame())

        def advance():
            if order.lines:
                sal = gdb.newest_frame().find_sal()
                if sal.symtab is None:
                    return "the function has no line to step"
                run.append((sal.symtab.fullname(), os.path.basename(sal.symtab.filename),
                            sal.line))
            gdb.execute("next" if order.lines else "continue", to_string=True)
            if gdb.selected_thread() is None:
                return "the program ended"
            if order.lines and height(gdb.newest_frame()) < depth:
                return "the function returned"
            return None

        # gdb says nothing of each stop and step while the film is made. Line by line, the
        # breakpoints are held back, so that each line runs whole, the calls it makes included.
        quiet = gdb.parameter("suppress-cli-notifications")
        gdb.execute("set suppress-cli-notifications on")
        held = [point for point in gdb.breakpoints() if point.enabled] if order.lines else []
        for point in held:
            point.enabled = False
        try:
            done, wrong = film.shoot(order, READER, evaluate, where, advance)
        finally:
            gdb.execute(f"set suppress-cli-notifications {'on' if quiet else 'off'}")
            for point in held:
                if point.is_valid():
                    point.enabled = True
        gdb.write(done + "\n")
        if wrong:
            raise gdb.GdbError("\n".join(wrong))


Filma()
