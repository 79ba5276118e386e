#!/bin/sh
# output.sh EXPECTED PROGRAM [ARG...]
# Runs the program with standard input at its end and compares its standard output with the
# file EXPECTED, byte for byte. Fails with cmp's word on the first difference, or with the
# program's status when it is not 0. What the program writes on standard error passes through,
# for the test to catch.
set -eu
expected=$1
shift
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$@" </dev/null >"$out"
cmp "$out" "$expected"
