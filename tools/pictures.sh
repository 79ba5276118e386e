#!/bin/sh
# pictures.sh GDB SOURCE HANOI_DEMO TREE_DEMO
# Draws the README's pictures again, into SOURCE/docs/pictures: gdb runs each program with the
# command file that the drawings' tests run (SOURCE/tests/disegno), whose disegna commands write
# each picture's Graphviz source and its SVG.
set -eu
gdb=$1
source=$2
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
for program in "$3" "$4"; do
    (cd "$folder" && "$gdb" -batch -nx -iex "source $source/debug/gdb_views.py" \
        -x "$source/tests/disegno/$(basename "$program").gdb" "$program" </dev/null >/dev/null 2>&1)
done
cp "$folder"/*.dot "$folder"/*.svg "$source/docs/pictures/"
ls "$source/docs/pictures"
