#!/bin/sh
# pictures.sh GDB SOURCE PROGRAM...
# Draws the pictures of the README and of the debugger views' page again, into SOURCE/docs/pictures:
# gdb runs each program with the command file that the drawings' tests run (SOURCE/tests/disegno),
# whose disegna commands write each picture's Graphviz source, which Graphviz's dot renders as a
# PNG (an SVG would name the hosts of its XML namespace) at most 20 inches wide and 10 high, so
# that each fits a screen. The program hanoi_demo is filmed too, with the command file of its film's
# test (SOURCE/tests/film), and the film made an animated PNG in headless Chromium (animate.py).
set -eu
gdb=$1
source=$2
shift 2
if ! command -v chromium >/dev/null || ! command -v chromedriver >/dev/null ||
    ! /usr/bin/python3 -c "import selenium" 2>/dev/null; then
    echo "the film's picture needs Chromium: install the packages chromium, chromium-driver and python3-selenium"
    exit 1
fi
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
# A command file may end in an error on purpose: gdb's status says nothing, the pictures do.
for program in "$@"; do
    (cd "$folder" && "$gdb" -batch -nx -iex "source $source/debug/gdb_views.py" \
        -x "$source/tests/disegno/$(basename "$program").gdb" "$program" </dev/null >/dev/null 2>&1) ||
        :
    if [ "$(basename "$program")" = hanoi_demo ]; then
        (cd "$folder" && "$gdb" -batch -nx -iex "source $source/debug/gdb_views.py" \
            -x "$source/tests/film/hanoi_demo.gdb" "$program" </dev/null >/dev/null 2>&1)
        /usr/bin/python3 "$source/tools/animate.py" "$folder/hanoi_demo.html" \
            "$source/docs/pictures/hanoi-3-disks.png"
    fi
done
for picture in "$folder"/*.png; do
    name=$(basename "$picture" .png)
    dot -Tpng -Gsize=20,10 -o "$source/docs/pictures/$name.png" "$folder/$name.dot"
done
ls "$source/docs/pictures"
