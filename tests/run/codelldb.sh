#!/bin/sh
# codelldb.sh EXPECTED PATTERN STEPS PYTHON WORKSPACE CONFIGURATION PROGRAM LLDB [ARG...]
# Starts LLDB as VS Code's CodeLLDB extension does, which runs LLDB within itself: with the
# CONFIGURATION of WORKSPACE/.vscode/launch.json as the editor resolves it (ide/vscode.py, which
# takes PROGRAM), LLDB started on its program in its folder, its initCommands first, then the
# commands of the file STEPS, and compares what views.sh keeps of its output with EXPECTED.
set -u
here=$(cd "$(dirname "$0")" && pwd)
resolved=$(mktemp)
trap 'rm -f "$resolved"' EXIT
"$4" "$here/../ide/vscode.py" "$5" "$6" "$7" >"$resolved" || exit
expected=$1
pattern=$2
steps=$3
program=$(sed -n 1p "$resolved")
folder=$(sed -n 2p "$resolved")
sed -i 1,2d "$resolved"
shift 7
cd "$folder" && sh "$here/views.sh" "$expected" "$pattern" "$@" -batch -s "$resolved" \
    -s "$steps" "$program"
