#!/bin/sh
# unwritable.sh PROGRAM [ARG...]
# Runs the program with standard output closed and its standard input a pipe that stays open and
# empty, then prints what it wrote on standard error and its status. A program that waited for
# input before it found that it cannot write would wait until the test's timeout.
set -u
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
mkfifo "$folder/in"
exec 3<>"$folder/in"
"$@" <&3 2>&1 >&-
echo "status $?"
