#!/bin/sh
# views.sh EXPECTED PATTERN DEBUGGER [ARG...]
# Runs a debugger in batch mode and compares the lines of its output that match the extended
# regular expression PATTERN, the views' own, with the file EXPECTED. A heap or stack address, which
# differs from one C library to the next, is written 0xADDRESS. A Python error anywhere in the
# output, which a view must never let through to the user, fails the test.
set -u
expected=$1
pattern=$2
shift 2
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$@" </dev/null >"$out" 2>&1
if grep -E "Python Exception|Traceback|Error occurred in Python" "$out"; then
    exit 1
fi
grep -E "$pattern" "$out" | sed -E 's/0x0*[1-9a-f][0-9a-f]{4,}/0xADDRESS/g' | diff "$expected" -
