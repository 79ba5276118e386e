"""LLDB's views of the lists, stacks and trees: summaries and synthetic children for the type
names lista, pila, posizione and BINALBERO, for the pointers cella * and NODO *, and for a cella
itself, in every program, once imported: command script import debug/lldb_views.py. A type of those
names whose record is not ours (a cella or a NODO, known by its fields) is left to LLDB."""

import lldb

import disegno
import film
import structures


class Reader:
    """Reads the debugged program's records for structures.py; its lists and stacks in scope are
    those of thread."""

    def __init__(self, thread):
        self.thread = thread

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

    def sentinels(self):
        """The lists and stacks of every frame, innermost first, and of the globals in sight."""
        found = {}
        for index in range(self.thread.GetNumFrames()):
            for variable in self.thread.GetFrameAtIndex(index).GetVariables(True, True, True, True):
                if variable.GetType().IsReferenceType():
                    variable = variable.Dereference()
                if declared(variable) in ("lista", "pila"):
                    variable = variable.GetNonSyntheticValue()
                    found.setdefault(self.address(variable), (variable.GetName(), variable))
        return found


READER = Reader(lldb.SBThread())  # for the walks that look at nothing in scope


def declared(value):
    """The name of value's type as declared, without const; "" for a value without a type's name."""
    return (value.GetTypeName() or "").removeprefix("const ")


def record(kind):
    """The name of the record of ours ("cella" or "NODO") that kind is, refers or points to, or
    None."""
    kind = kind.GetCanonicalType()
    kind = kind.GetDereferencedType() if kind.IsReferenceType() else kind
    kind = (kind.GetPointeeType() if kind.IsPointerType() else kind).GetUnqualifiedType()
    fields = [kind.GetFieldAtIndex(index).GetName() for index in range(kind.GetNumberOfFields())]
    return kind.GetName() if structures.ours(kind.GetName(), fields) else None


def summary(view):
    """A summary function: view(reader, value) on the value without its synthetic children."""

    def summarise(value, _):
        value = value.GetNonSyntheticValue()
        return view(Reader(value.GetThread()), value)

    return summarise


lista_summary = summary(lambda reader, value: structures.sequence(reader, value, "lista", "")[0])
pila_summary = summary(lambda reader, value: structures.sequence(
    reader, value, "pila", ", bottom to top")[0])
posizione_summary = summary(lambda reader, value: structures.position(reader, value, "posizione"))
cella_pointer_summary = summary(lambda reader, value: structures.position(reader, value, "cella *"))
# A cella & is shown as the cell it refers to.
cella_summary = summary(lambda reader, value: structures.position(
    reader, (value.Dereference() if value.GetType().IsReferenceType() else value).AddressOf(),
    "cella"))
binalbero_summary = summary(lambda reader, value: structures.tree(reader, value, "BINALBERO")[0])
nodo_pointer_summary = summary(lambda reader, value: structures.tree(
    reader, value, "NODO *", "here")[0])
# Each view: the type's name, the record of ours it holds, its summary and its children, if any.
VIEWS = (("lista", "cella", "lista_summary", "Sequence"),
         ("pila", "cella", "pila_summary", "Sequence"),
         ("posizione", "cella", "posizione_summary", None),
         ("cella *", "cella", "cella_pointer_summary", None),
         ("BINALBERO", "NODO", "binalbero_summary", "Node"),
         ("NODO *", "NODO", "nodo_pointer_summary", "Node"),
         ("cella", "cella", "cella_summary", None))


def recogniser(name, shape):
    """Whether a type is the one called name, without const, and holds the record shape of ours:
    LLDB asks it of each type that it shows, and leaves any other to itself."""
    return lambda kind, _: kind.GetName().removeprefix("const ") == name and record(kind) == shape


def field_at(pointer, name, field):
    """The int field of the record at pointer, as a child called name: made at the address that
    pointer holds, so that it is read in the program's memory also when pointer is the result of
    an expression, which LLDB keeps in its own memory."""
    record = pointer.GetType().GetCanonicalType().GetPointeeType()
    member = next(member for member in record.get_fields_array() if member.GetName() == field)
    address = READER.address(pointer) + member.GetOffsetInBytes()
    return pointer.CreateValueFromAddress(name, address, member.GetType())


def address_of(link):
    """A link's address alone, a number with nothing to open, under the link's name."""
    target = link.GetTarget()
    data = lldb.SBData.CreateDataFromUInt64Array(target.GetByteOrder(), 8, [READER.address(link)])
    number = link.CreateValueFromData(link.GetName(), data,
                                      target.GetBasicType(lldb.eBasicTypeUnsignedLongLong))
    number.SetFormat(lldb.eFormatHex)
    return number


class Children:
    """Synthetic children, made at the first question about them and again at each update(),
    found by index or by name."""

    def __init__(self, value, _):
        self.value = value
        self.children = None

    def made(self):
        if self.children is None:
            self.update()
        return self.children

    def num_children(self):
        return len(self.made())

    def get_child_index(self, name):
        names = [child.GetName() for child in self.made()]
        return names.index(name) if name in names else -1

    def get_child_at_index(self, index):
        return self.made()[index]

    def has_children(self):
        return bool(self.made())


class Sequence(Children):
    """A lista's or a pila's elements as its children, [0] the first (a pila's bottom)."""

    def update(self):
        cells = structures.sequence(READER, self.value, "", "")[1]
        self.children = [field_at(cell, f"[{i}]", "elem") for i, (cell, _) in enumerate(cells)]
        return False


# Memory may change at each stop.
ABOVE = structures.Above()
SEEN_AT = [None]


class Node(Children):
    """A node's value, its children, sinistro and destro, and its parent's value as padre. A
    child reached twice is shown as its bare address, without children."""

    def update(self):
        self.children = []
        address = READER.address(self.value)
        stop = self.value.GetProcess().GetStopID()
        if SEEN_AT[0] != stop:
            ABOVE.forget()
            SEEN_AT[0] = stop
        if address != 0:
            try:
                self.children = [READER.field(self.value, "valore")]
                links = [READER.link(self.value, side) for side in ("sinistro", "destro")]
                links = [link for link in links if READER.address(link) != 0]
                twice = ABOVE.twice(ABOVE.path(address), [READER.address(link) for link in links])
                for link, again in zip(links, twice):
                    self.children.append(address_of(link) if again else link)
                parent = READER.link(self.value, "padre")
                if READER.address(parent) != 0:
                    parent = field_at(parent, "padre", "valore")
                self.children.append(parent)
            except structures.Unreadable:
                self.children = []
        return False


def evaluate(frame, expression):
    """An expression's value for disegno.gather: the variable of frame or of the innermost of its
    callers that has it, as gdb finds it, else its value as an expression in frame."""
    thread = frame.GetThread()
    for index in range(frame.GetFrameID(), thread.GetNumFrames()):
        value = thread.GetFrameAtIndex(index).GetValueForVariablePath(expression)
        if value.IsValid() and value.GetError().Success():
            break
    else:
        value = frame.EvaluateExpression(expression)
    if value.GetError().Fail():
        raise ValueError(value.GetError().GetCString())
    value = value.GetNonSyntheticValue()
    if value.GetType().IsReferenceType():
        value = value.Dereference().GetNonSyntheticValue()
    kind = value.GetType()
    pointee = record(kind) if kind.GetCanonicalType().IsPointerType() else None
    return value, value.GetTypeName(), declared(value), pointee


def disegna(_, argument, context, result, __):
    """Draws lists, stacks and trees: disegna [-o FILE] EXPRESSION..., as in gdb, in the frame the
    command is given for: an IDE's debug console gives the frame selected in its call stack."""
    frame = context.GetFrame()
    try:
        drawing, wrong = disegno.command(Reader(frame.GetThread()), argument,
                                         lambda expression: evaluate(frame, expression))
    except ValueError as error:
        result.SetError(str(error))
        return
    if drawing:
        result.PutCString(drawing.rstrip("\n"))
    if wrong:
        result.SetError("\n".join(wrong))


def stop(frame):
    """A stop's caption: the frame's function with its arguments, and where it stands."""
    arguments = [(value.GetName(), value.GetSummary() or value.GetValue())
                 for value in frame.GetVariables(True, False, False, True)]
    entry = frame.GetLineEntry()
    return film.caption(frame.GetFunctionName() or "??", arguments, entry.file.basename or "?",
                        entry.line)


def filma(debugger, argument, context, result, _):
    """Films lists, stacks and trees: filma [--righe] [-n FRAMES] -o FILE.html EXPRESSION..., as in
    gdb, from the thread that the command is given for."""
    try:
        order = film.parse(argument)
    except ValueError as error:
        result.SetError(str(error))
        return
    process = context.GetProcess()
    if not process.IsValid() or process.GetState() != lldb.eStateStopped:
        result.SetError("filma: the program is not running")
        return
    thread = context.GetThread()
    depth = thread.GetNumFrames()
    run = []  # line by line, where the line just run is

    def where():
        return film.line_run(*run[-1]) if run else stop(thread.GetFrameAtIndex(0))

    def advance():
        if order.lines:
            entry = thread.GetFrameAtIndex(0).GetLineEntry()
            if not entry.file.IsValid():
                return "the function has no line to step"
            run.append((entry.file.fullpath, entry.file.basename, entry.line))
            thread.StepOver()
        else:
            process.Continue()
        if process.GetState() != lldb.eStateStopped:
            return "the program ended"
        if order.lines and thread.GetNumFrames() < depth:
            return "the function returned"
        return None

    # Line by line, the breakpoints are held back, so that each line runs whole.
    target = process.GetTarget()
    held = [target.GetBreakpointAtIndex(index) for index in range(target.GetNumBreakpoints())]
    held = [point for point in held if point.IsEnabled()] if order.lines else []
    asynchronous = debugger.GetAsync()
    debugger.SetAsync(False)
    for point in held:
        point.SetEnabled(False)
    try:
        done, wrong = film.shoot(order, Reader(thread),
                                 lambda expression: evaluate(thread.GetFrameAtIndex(0), expression),
                                 where, advance)
    finally:
        debugger.SetAsync(asynchronous)
        for point in held:
            point.SetEnabled(True)
    result.PutCString(done)
    if wrong:
        result.SetError("\n".join(wrong))


def __lldb_init_module(debugger, _):
    for name, shape, summary_name, children in VIEWS:
        recognised = f"is_{summary_name}"
        globals()[recognised] = recogniser(name, shape)
        # A cella & is shown by the summary of cella; a pointer to a cella, by its own; a pointer
        # to any other, such as the posizione * of inslista, by none: it holds an address.
        skip = "-p" if name == "cella" else "-p -v"
        debugger.HandleCommand(f"type summary add {skip} -F {__name__}.{summary_name} "
                               f"--recognizer-function {__name__}.{recognised}")
        if children:
            debugger.HandleCommand(f"type synthetic add -l {__name__}.{children} "
                                   f"--recognizer-function {__name__}.{recognised}")
    debugger.HandleCommand(f"command script add -f {__name__}.disegna disegna")
    debugger.HandleCommand(f"command script add -f {__name__}.filma filma")
