#!/bin/sh
# grade.sh ROOT
# Grades the project's own six files as a student's submission, which must score 100 with every
# test passed, and the stubs that tools/stubs writes, which must build and score 0 with every test
# failed. Each grading's summary on standard output must list every test its results.json and
# junit.xml hold, and the score results.json gives.
set -eu
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/ours"
for file in puzzle/lista.cpp puzzle/pila.cpp puzzle/torredihanoi.cpp tree/binalbero.cpp \
    tree/binalberorand.cpp tree/ESERCIZIO.cpp; do
    cp "$root/$file" "$work/ours"
done
"$root/tools/stubs" "$work/stubs"
for submission in ours stubs; do
    results=$work/$submission.results
    "$root/tools/grade" "$work/$submission" "$results" >"$work/summary"
    cat "$work/summary"
    if [ $submission = ours ]; then score=100 status=PASS; else score=0 status=FAIL; fi
    tests=$(grep -c '^[A-Z]*  ' "$work/summary")
    [ "$(grep -c "^$status  " "$work/summary")" -eq "$tests" ] && [ "$tests" -ge 40 ] &&
        [ "$(grep -c '<testcase ' "$results/junit.xml")" -eq "$tests" ] &&
        [ "$(grep -c '"max_score"' "$results/results.json")" -eq "$tests" ] &&
        grep -q "^  \"score\": $score," "$results/results.json" &&
        grep -qx "score: $score / 100" "$work/summary" ||
        { echo "$submission: not $tests tests, each $status, scoring $score"; exit 1; }
done
