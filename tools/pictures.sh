#!/bin/sh
# pictures.sh GDB SOURCE PROGRAM...
# Draws the pictures of the README and of the debugger views' page again, into SOURCE/docs/pictures:
# gdb runs each program with the command file that the drawings' tests run (SOURCE/tests/disegno),
# whose disegna commands write each picture's Graphviz source and its PNG (an SVG would name the
# hosts of its XML namespace). A heap or stack address, which differs from one C library to the
# next, is written 0xADDRESS in the sources.
set -eu
gdb=$1
source=$2
shift 2
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
for program in "$@"; do
    (cd "$folder" && "$gdb" -batch -nx -iex "source $source/debug/gdb_views.py" \
        -x "$source/tests/disegno/$(basename "$program").gdb" "$program" </dev/null >/dev/null 2>&1)
done
for picture in "$folder"/*.dot; do
    sed -E 's/0x0*[1-9a-f][0-9a-f]{4,}/0xADDRESS/g' "$picture" \
        >"$source/docs/pictures/$(basename "$picture")"
done
cp "$folder"/*.png "$source/docs/pictures/"
ls "$source/docs/pictures"
