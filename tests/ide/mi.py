"""A client of gdb/MI, as VS Code's C/C++ extension, CLion and Qt Creator drive gdb, writing what
their Variables and Watch panes show. Usage: mi.py WORKSPACE PROGRAM SCRIPT GDB [ARG...]

gdb is started with the setupCommands of the cppdbg configuration in WORKSPACE/.vscode/launch.json.
The script's steps: "break FUNCTION" runs or continues to the next call of FUNCTION;
"frame N" selects frame N for the steps after it; "locals [DEPTH]" writes the frame's local
variables, each made a variable object as the Variables pane does, with their children to DEPTH
levels (default 1); "watch EXPRESSION [DEPTH]" makes one of the expression, as the Watch pane
does, and writes it the same way."""

import re
import subprocess
import sys

import ide

workspace, program, script, *debugger = sys.argv[1:]
gdb = subprocess.Popen([*debugger, "-nx", "-q", "-i=mi", program], stdin=subprocess.PIPE,
                       stdout=subprocess.PIPE, text=True)


def command(text):
    """Sends one command; returns the fields of its result record, or exits with its error."""
    gdb.stdin.write(text + "\n")
    gdb.stdin.flush()
    for line in gdb.stdout:
        if line.startswith("^error"):
            sys.exit(f"{text}: {line.strip()}")
        if line.startswith("^"):
            return line.strip()
    sys.exit(f"{text}: gdb ended")


def wait_for_stop():
    for line in gdb.stdout:
        if line.startswith("*stopped"):
            return
    sys.exit("gdb ended before the program stopped")


def field(record, name):
    """A string field of a result record, unquoted."""
    found = re.search(rf'{name}="((?:[^"\\]|\\.)*)"', record)
    return found and found.group(1).encode().decode("unicode_escape")


def show(var, name, depth, indent):
    record = command(f"-var-evaluate-expression {var}")
    opens = field(command(f"-var-list-children {var} 0 1"), "numchild") != "0"
    ide.write(indent, name, field(record, "value"), opens)
    if depth == 0 or not opens:
        return
    children = command(f"-var-list-children --no-values {var}")
    for child, exp in re.findall(r'child=\{name="([^"]*)",exp="([^"]*)"', children):
        show(child, exp, depth - 1, indent + 1)


for text in ide.launch_commands(workspace, "cppdbg", "setupCommands"):
    quoted = text.replace("\\", "\\\\").replace('"', '\\"')
    command(text if text.startswith("-") else f'-interpreter-exec console "{quoted}"')
started = False
frame = ""
for word, *rest in ide.steps(script):
    depth = int(rest[-1]) if rest and rest[-1].isdigit() else 1
    if word == "break":
        command(f"-break-insert -t {rest[0]}")
        command("-exec-continue" if started else "-exec-run")
        started = True
        wait_for_stop()
        frame = ""
    elif word == "frame":
        frame = f"--thread 1 --frame {rest[0]} "
    elif word == "locals":
        names = re.findall(r'name="([^"]*)"', command(f"-stack-list-variables {frame}--no-values"))
    else:
        names = [rest[0]]
    for name in names if word in ("locals", "watch") else []:
        show(field(command(f"-var-create {frame}- * {name}"), "name"), name, depth, 0)
command("-gdb-exit")
gdb.stdout.read()
gdb.wait()
