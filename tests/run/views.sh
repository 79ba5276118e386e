#!/bin/sh
# views.sh EXPECTED PATTERN DEBUGGER [ARG...]
# Runs a debugger in batch mode and compares the lines of its output that match the extended
# regular expression PATTERN, the views' own, with the file EXPECTED.
set -u
expected=$1
pattern=$2
shift 2
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$@" </dev/null 2>&1 | grep -E "$pattern" >"$out"
diff "$expected" "$out"
