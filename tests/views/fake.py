# The views' and drawings' logic on a fake memory, without a debugger: fake.py CASES runs the
# lines of the file CASES in a folder of its own and writes each line, after "> ", and what it gave.
#   @NAME FIELD=VALUE...    a record, or more fields of one: a VALUE is a record's name, 0 for the
#                           empty link, a number in hex for memory that cannot be read, or an int
#   ring NAME V...          a sound ring: the sentinel NAME, its cells NAME.1, NAME.2... holding
#                           V...
#   tree NAME V...          a sound tree filled level by level, left to right: NAME.1 is the root,
#                           NAME.2 and NAME.3 its children, and so on
#   chain NAME V...         a sound tree, each node the destro of the one before: NAME.1 the root
#                           (where a V is FROM..TO, it stands for FROM, FROM+1... TO)
#   var NAME TYPE VALUE     a variable: TYPE is one of TYPES below
#   summary NAME            the view's summary of the variable NAME
#   disegna ARGUMENT        what disegna writes, each expression that it could not draw, and the
#                           Graphviz source it wrote to a .dot file, or the error it raised
#   filma ARGUMENT          a film: what filma says, each frame as data (film/digest.py); the lines
#                           that follow run between two frames, each "stop" ends one, and "fine"
#                           ends the program
#   mkdir FOLDER            a folder to draw in
#   limit N                 the walks read N records at most
#   nodot                   no Graphviz's dot on the PATH
# Records are at 0x100, 0x110... in the order they are named, so the words hold no other address.
import os
import shlex
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "debug"))
import disegno  # noqa: E402
import film  # noqa: E402
import structures  # noqa: E402

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "film"))
from digest import digest  # noqa: E402

# Each type: its name as declared, and the record of ours a pointer of it points to.
TYPES = {"lista": ("lista", "cella"), "pila": ("pila", "cella"),
         "posizione": ("posizione", "cella"), "cella *": (None, "cella"),
         "BINALBERO": ("BINALBERO", "NODO"), "NODO *": (None, "NODO"), "int": ("int", None),
         "altra *": (None, None)}
records, addresses, variables = {}, {}, {}


class Reader:
    @staticmethod
    def link(pointer, field):
        if pointer not in records:
            raise structures.Unreadable(pointer)
        return records[pointer][field]

    number = link

    @staticmethod
    def address(pointer):
        return pointer

    @staticmethod
    def sentinels():  # the first variable of each, as a debugger finds the innermost
        return {found: (name, found) for name, (written, found) in reversed(variables.items())
                if written in ("lista", "pila")}


def value(word):
    if word not in addresses and not word.lstrip("-").isdigit() and not word.startswith("0x"):
        addresses[word] = 0x100 + 0x10 * len(addresses)
        records[addresses[word]] = {}
    return addresses.get(word) or int(word, 0)


def evaluate(expression):
    if expression not in variables:
        raise ValueError(f'No symbol "{expression}" in current context.')
    written, found = variables[expression]
    return found, written, *TYPES[written]


def summary(name):
    written, found = variables[name]
    if written in ("lista", "pila"):
        order = ", bottom to top" if written == "pila" else ""
        return structures.sequence(Reader, found, written, order)[0]
    if TYPES[written][1] == "cella":
        return structures.position(Reader, found, written)
    return structures.tree(Reader, found, written, "root" if written == "BINALBERO" else "here")[0]


def expand(words):
    """Each word FROM..TO as the numbers from FROM to TO."""
    for word in words:
        low, dots, high = word.partition("..")
        yield from map(str, range(int(low), int(high) + 1)) if dots else [word]


def advance():
    """The lines of a film up to the next stop, run."""
    for text in LINES:
        print(f"> {text}")
        if text in ("stop", "fine"):
            return "the program ended" if text == "fine" else None
        run(text)
    return "the cases ended"


def run(line):
    word, _, argument = line.partition(" ")
    if word in ("disegna", "filma"):
        try:
            if word == "disegna":
                drawing, wrong = disegno.command(Reader, argument, evaluate)
            else:
                stops = iter(range(1, 1000))
                drawing, wrong = film.shoot(film.parse(argument), Reader, evaluate,
                                            lambda: f"stop {next(stops)}", advance)
                drawing += "\n"
        except ValueError as error:
            drawing, wrong = "", [f"error: {error}"]
        print(drawing + "".join(f"{words}\n" for words in wrong), end="")
        for folder, _, files in sorted(os.walk(".")):
            for file in sorted(os.path.join(folder, name) for name in files):
                with open(file, encoding="utf-8") as drawn:
                    shown = "\n".join(digest(file)) + "\n" if file.endswith(".html") else drawn.read()
                print(f"{file}:\n{shown}", end="")
                os.remove(file)
        return
    rest = list(expand(shlex.split(argument)))
    if word.startswith("@"):
        records[value(word[1:])].update(
            (field, value(text)) for field, text in (pair.split("=") for pair in rest))
    elif word == "ring":
        names = [rest[0]] + [f"{rest[0]}.{i}" for i in range(1, len(rest))]
        for i, name in enumerate(names):
            run(f"@{name} pred={names[i - 1]} elem={rest[i] if i else 0} "
                f"succ={names[(i + 1) % len(names)]}")
    elif word in ("tree", "chain"):
        for i in range(1, len(rest)):
            parent = i // 2 if word == "tree" else i - 1
            padre = f"{rest[0]}.{parent}" if parent else 0
            run(f"@{rest[0]}.{i} valore={rest[i]} padre={padre} sinistro=0 destro=0")
            if parent:
                side = "sinistro" if word == "tree" and i % 2 == 0 else "destro"
                run(f"@{rest[0]}.{parent} {side}={rest[0]}.{i}")
    elif word == "var":
        variables[rest[0]] = (rest[1], value(rest[2]))
    elif word == "summary":
        print(summary(rest[0]))
    elif word == "limit":
        structures.LIMIT = int(rest[0])
    elif word == "nodot":
        os.environ["PATH"] = ""
    elif word == "mkdir":
        os.mkdir(rest[0])


with open(sys.argv[1], encoding="utf-8") as cases:
    LINES = iter([line.rstrip("\n") for line in cases if line.strip() and not line.startswith("#")])
with tempfile.TemporaryDirectory() as folder:
    os.chdir(folder)
    for text in LINES:
        print(f"> {text}")
        run(text)
