#!/bin/sh
# drawn.sh EXPECTED DEBUGGER [ARG...]
# Runs a debugger in batch mode in a folder of its own, where its command file draws with
# disegna or films with filma. The text it writes from the line "==disegna" to the line "==fine" or
# to its end, but for LLDB's echo of each command, gdb's word that the program exited, and the
# words that each debugger puts before an error ("error: ", the command file's line), is compared with the file EXPECTED; each Graphviz
# source it writes there with the file of the same name beside EXPECTED, and each film's frames as
# data (film/digest.py) with the file of its name and .txt; each picture is checked to be an SVG or
# a PNG. A heap or stack address, which differs from one C library to the next, is written
# 0xADDRESS.
set -u
expected=$1
pictures=$(dirname "$expected")
shift
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
addresses='s/0x0*[1-9a-f][0-9a-f]{4,}/0xADDRESS/g'
(cd "$folder" && "$@" </dev/null 2>&1) | sed -n '/^==disegna$/,/^==fine$/p' |
    grep -v -e '^(lldb) ' -e '^\[Inferior 1 (process [0-9]*) exited' \
        -e ': Error in sourced command file:$' | sed -E "s/^error: //; $addresses" >"$folder/drawn.txt"
diff "$expected" "$folder/drawn.txt" || exit
found=0
for picture in "$folder"/*.dot "$folder"/*.svg "$folder"/*.png "$folder"/*.html; do
    [ -e "$picture" ] || continue
    found=$((found + 1))
    name=$(basename "$picture")
    case $name in
    *.dot) sed -E "$addresses" "$picture" | diff "$pictures/$name" - || exit ;;
    *.html) python3 "$(dirname "$0")/../film/digest.py" "$picture" | sed -E "$addresses" |
        diff "$pictures/$name.txt" - || exit ;;
    *.svg) grep -q '^<svg' "$picture" || { echo "$name is no SVG"; exit 1; } ;;
    *.png) [ "$(head -c 4 "$picture" | od -An -c | tr -d ' ')" = '211PNG' ] ||
        { echo "$name is no PNG"; exit 1; } ;;
    esac
    echo "$name: as expected"
done
[ "$found" -gt 0 ] || { echo "no picture was drawn"; exit 1; }
