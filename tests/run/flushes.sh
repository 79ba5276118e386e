#!/bin/sh
# flushes.sh EXPECTED PROGRAM [ARG...]
# Sends the program its two characters only once its whole output, as long as the file EXPECTED,
# has come through a pipe. A program that held some output back until after its reads would wait
# for input that never comes, until the test's timeout.
set -eu
expected=$1
shift
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
mkfifo "$folder/in"
"$@" <"$folder/in" | {
    exec 3>"$folder/in"
    head -c "$(wc -c <"$expected")" >/dev/null
    printf ab >&3
}
