#!/bin/sh
# debug.sh WAY NAME PROGRAM [CONFIGURATION]
# One test of the debugger views: PROGRAM debugged in one WAY with the steps for NAME (a program's
# name), and what its user would see compared with what is expected for NAME in tests/expected:
#   fake          no debugger: the views' logic on a fake memory (views/fake.py, the cases in
#                 views/fake.txt; NAME and PROGRAM are not used);
#   gdb           gdb at its prompt, the views loaded from beside PROGRAM (steps: views/NAME.gdb);
#   lldb          LLDB as VS Code's CodeLLDB starts it, within itself, with the initCommands of
#                 CONFIGURATION (views/NAME.lldb);
#   mi            gdb through gdb/MI, as VS Code's C/C++ extension drives it (mi.sh, ide/NAME.mi);
#   dap           LLDB's adapter through the Debug Adapter Protocol, as VS Code's LLDB DAP
#                 extension drives it (ide/dap.py, ide/NAME.dap);
#   disegna.gdb, disegna.lldb   disegna's drawings, in text and as Graphviz sources (drawn.sh,
#                 disegno/NAME.gdb or .lldb);
#   filma.gdb, filma.lldb   filma's films, as data (drawn.sh, film/NAME.gdb or .lldb), the same
#                 in both debuggers;
#   page          the film that film/NAME.gdb makes, in headless Chromium (film/page.py).
# CONFIGURATION is one of .vscode/launch.json, resolved as VS Code resolves it (ide/vscode.py), by
# default the first of the way's type; with PROGRAM -, the configuration's own program, which its
# task builds. The debuggers are those
# the README installs: gdb, and Debian's lldb-19 with its adapter lldb-dap-19. Where a program that
# the way needs is missing, the test says "skipped:" and which package to install.
set -u
tests=$(cd "$(dirname "$0")/.." && pwd)
way=$1
name=$2
program=$3
case $way in
fake) needs="python3" ;;
gdb) needs="gdb" ;;
lldb) needs="python3 lldb-19" ;;
mi) needs="gdb python3" ;;
dap) needs="python3 lldb-dap-19:lldb-19" ;;
disegna.gdb) needs="gdb dot:graphviz" ;;
disegna.lldb) needs="lldb-19 dot:graphviz" ;;
filma.gdb) needs="gdb python3" ;;
filma.lldb) needs="lldb-19 python3" ;;
page) needs="gdb chromium chromedriver:chromium-driver" ;;
esac
for need in $needs; do
    if ! command -v "${need%:*}" >/dev/null; then
        echo "skipped: ${need%:*} is missing: install the package ${need#*:}"
        exit 0
    fi
done
# The browser is driven by Debian's Python, with Debian's Selenium. Chromium reserves far more
# address space than it uses, and cannot start under a limit of it (as a mutation tool sets).
if [ "$way" = page ] && ! /usr/bin/python3 -c "import selenium" 2>/dev/null; then
    echo "skipped: selenium is missing: install the package python3-selenium"
    exit 0
fi
if [ "$way" = page ] && [ "$(ulimit -v)" != unlimited ]; then
    echo "skipped: Chromium cannot start under a limit of $(ulimit -v) KiB of address space (ulimit -v)"
    exit 0
fi
expected=$tests/expected/views/$name.$way.txt
case $way in
mi) configuration=${4:-cppdbg} ;;
dap) configuration=${4:-lldb-dap} ;;
*) configuration=${4:-lldb} ;;
esac
views="command script import \"$tests/../debug/lldb_views.py\""
# The folder of the command files of disegna's drawings, or of filma's films, and of what they give.
steps=film
[ "${way%.*}" = disegna ] && steps=disegno
lldb_lines='^[(](pila|lista|posizione|cella|BINALBERO|NODO)[^)]*[)] |^ +([[:punct:]][0-9]|valore|sinistro|destro|padre|pred|elem|succ)|^ *}$|has type'
case $way in
fake)
    exec sh "$tests/run/views.sh" "$tests/expected/views/fake.txt" ^ python3 "$tests/views/fake.py" \
        "$tests/views/fake.txt" ;;
gdb)
    exec sh "$tests/run/views.sh" "$expected" '^[$]|has type' gdb -batch -nx \
        -iex "add-auto-load-safe-path $(dirname "$program")" -x "$tests/views/$name.gdb" "$program" ;;
mi)
    exec sh "$tests/run/mi.sh" "$expected" "$tests/ide/$name.mi" python3 "$tests/.." \
        "$configuration" "$program" gdb ;;
dap)
    exec sh "$tests/run/views.sh" "$expected" . python3 "$tests/ide/dap.py" "$tests/.." \
        "$configuration" "$program" "$tests/ide/$name.dap" lldb-dap-19 ;;
disegna.gdb | filma.gdb)
    exec sh "$tests/run/drawn.sh" "$tests/expected/$steps/$name.txt" gdb -batch -nx \
        -iex "add-auto-load-safe-path $(dirname "$program")" -x "$tests/$steps/$name.gdb" "$program" ;;
disegna.lldb | filma.lldb)
    exec sh "$tests/run/drawn.sh" "$tests/expected/$steps/$name.txt" lldb-19 -batch -o "$views" \
        -s "$tests/$steps/$name.lldb" "$program" ;;
page)
    folder=$(mktemp -d)
    trap 'rm -rf "$folder"' EXIT
    (cd "$folder" && gdb -batch -nx -iex "add-auto-load-safe-path $(dirname "$program")" \
        -x "$tests/film/$name.gdb" "$program" </dev/null >/dev/null 2>&1)
    exec /usr/bin/python3 "$tests/film/page.py" "$folder/$name.html" ;;
esac
# lldb: the configuration's initCommands, then the steps, in its folder.
resolved=$(mktemp)
trap 'rm -f "$resolved"' EXIT
python3 "$tests/ide/vscode.py" "$tests/.." "$configuration" "$program" >"$resolved" || exit
program=$(sed -n 1p "$resolved")
folder=$(sed -n 2p "$resolved")
sed -i 1,2d "$resolved"
cd "$folder" && sh "$tests/run/views.sh" "$expected" "$lldb_lines" lldb-19 -batch -s "$resolved" \
    -s "$tests/views/$name.lldb" "$program"
