#!/bin/sh
# heap.sh EXPECTED N... -- PROGRAM [ARG...]
# For a copy of a program whose malloc and free go through the tests' wrapper. First, given a file
# of three characters to read, its heap use and how much of the file it read, its standard output
# left out. Then, for each N before the --, the run in which allocation N + 1 fails: how many
# lines it wrote on standard output, what it wrote on standard error, and its status. All of it is
# compared with the file EXPECTED, without the carriage returns of a Windows program's lines.
set -u
expected=$1
shift
failures=""
while [ "$1" != -- ]; do
    failures="$failures $1"
    shift
done
shift
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
printf abc >"$folder/keys"
{
    MALLOC_REPORT=1 "$@" <"$folder/keys" 2>&1 >/dev/null
    echo "status $?"
    for n in $failures; do
        MALLOC_FAILS_AFTER=$n "$@" </dev/null 2>"$folder/err" >"$folder/out"
        status=$?
        echo "after $n allocations: $(wc -l <"$folder/out") lines out"
        cat "$folder/err"
        echo "status $status"
    done
} | tr -d '\r' | diff "$expected" -
