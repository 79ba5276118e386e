#!/bin/sh
# mi.sh EXPECTED WORKSPACE PROGRAM STEPS GDB [ARG...]
# Drives gdb through its machine interface, gdb/MI, as VS Code's C/C++ extension does: first with
# the setupCommands of the launch configuration in WORKSPACE/.vscode/launch.json, ${workspaceFolder}
# replaced and each console command wrapped in -interpreter-exec, then with the MI commands of the
# file STEPS. gdb runs the program synchronously, and reads each command once the one before has
# ended. Its result records, as an IDE receives them, are compared with the file EXPECTED, but for
# those of -break-insert, which hold the path of the source; a heap or stack address is written
# 0xADDRESS. Where gdb/MI answers otherwise from a release of gdb on, what it answers there is in a
# file named after EXPECTED with that release's number: hanoi_demo.mi.txt, hanoi_demo.mi.16.txt.
set -u
expected=$1
release=$("$5" --version | sed -n '1s/.* \([0-9][0-9]*\)\.[0-9].*/\1/p')
while [ "$release" -gt 0 ] && [ ! -e "${expected%.txt}.$release.txt" ]; do
    release=$((release - 1))
done
[ "$release" -eq 0 ] || expected="${expected%.txt}.$release.txt"
workspace=$2
program=$3
steps=$4
shift 4
out=$(mktemp)
trap 'rm -f "$out"' EXIT
folder='${workspaceFolder}'
{
    sed -n 's/^ *{"text": "\(.*\)"},\{0,1\}$/\1/p' "$workspace/.vscode/launch.json" |
        while IFS= read -r text; do
            case $text in
            *"$folder"*) text="${text%%"$folder"*}$workspace${text#*"$folder"}" ;;
            esac
            case $text in
            -*) printf '%s\n' "$text" ;;
            *) printf '%s\n' "-interpreter-exec console \"$text\"" ;;
            esac
        done
    cat "$steps"
    echo -gdb-exit
} | "$@" -nx -q -i=mi "$program" 2>&1 | grep '^\^' | grep -v '^\^done,bkpt=' |
    sed -E 's/0x0*[1-9a-f][0-9a-f]{4,}/0xADDRESS/g' >"$out"
diff "$expected" "$out"
