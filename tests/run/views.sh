#!/bin/sh
# views.sh EXPECTED PATTERN DEBUGGER [ARG...]
# Runs a debugger in batch mode and compares the lines of its output that match the extended
# regular expression PATTERN, the views' own, with the file EXPECTED. A heap or stack address, which
# differs from one C library to the next, is written 0xADDRESS.
set -u
expected=$1
pattern=$2
shift 2
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$@" </dev/null 2>&1 | grep -E "$pattern" | sed -E 's/0x0*[1-9a-f][0-9a-f]{4,}/0xADDRESS/g' >"$out"
diff "$expected" "$out"
