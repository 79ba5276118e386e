#!/bin/sh
# mi.sh EXPECTED STEPS PYTHON WORKSPACE CONFIGURATION PROGRAM GDB
# Drives gdb through its machine interface, gdb/MI, as VS Code's C/C++ extension does: with the
# CONFIGURATION of WORKSPACE/.vscode/launch.json as the editor resolves it (ide/vscode.py, which
# takes PROGRAM), gdb started in its folder, its setupCommands first, each console command wrapped
# in -interpreter-exec, then its program loaded, then the MI commands of the file STEPS. gdb runs the
# program synchronously, and reads each command once the one before has ended. Its result records,
# as an IDE receives them, are compared with the file EXPECTED, but for those of -break-insert,
# which hold the path of the source; a heap or stack address is written 0xADDRESS. Where gdb/MI
# answers otherwise from a release of gdb on, what it answers there is in a file named after
# EXPECTED with that release's number: hanoi_demo.mi.txt, hanoi_demo.mi.16.txt.
set -u
expected=$1
steps=$2
gdb=$7
release=$("$gdb" --version | sed -n '1s/.* \([0-9][0-9]*\)\.[0-9].*/\1/p')
while [ "$release" -gt 0 ] && [ ! -e "${expected%.txt}.$release.txt" ]; do
    release=$((release - 1))
done
[ "$release" -eq 0 ] || expected="${expected%.txt}.$release.txt"
out=$(mktemp)
resolved=$(mktemp)
trap 'rm -f "$out" "$resolved"' EXIT
"$3" "$(dirname "$0")/../ide/vscode.py" "$4" "$5" "$6" >"$resolved" || exit
program=$(sed -n 1p "$resolved")
cd "$(sed -n 2p "$resolved")" || exit
{
    sed 1,2d "$resolved" | while IFS= read -r text; do
        case $text in
        -*) printf '%s\n' "$text" ;;
        *) printf '%s\n' "-interpreter-exec console \"$text\"" ;;
        esac
    done
    printf '%s\n' "-file-exec-and-symbols \"$program\""
    cat "$steps"
    echo -gdb-exit
} | "$gdb" -nx -q -i=mi 2>&1 | grep '^\^' | grep -v '^\^done,bkpt=' |
    sed -E 's/0x0*[1-9a-f][0-9a-f]{4,}/0xADDRESS/g' >"$out"
diff "$expected" "$out"
