"""Grades a student's implementation of the structures' headers with the project's own tests.

tools/grade SUBMISSION RESULTS: SUBMISSION is a folder holding any of the six files below, each
written against our header of the same name. Each file takes the place of ours in a build of its
own, beside our versions of the files it stands on, under AddressSanitizer where the compiler has
it; the project's folder is left as it is. Each operation of the file's header has a test, and
the file's program one more: the score, out of 100, is shared equally among the files, and within
a file among its tests. RESULTS receives results.json (the autograding schema: score and tests,
each with name, score, max_score, status and output) and junit.xml; standard output gets one line
per test, then the score. It exits 0 whenever it graded, and 2, with one line, on a wrong usage or
a missing tool.

tools/stubs FOLDER: writes the six files with every body empty or returning 0, which build
cleanly and score 0: what a teacher hands out to be filled in.
"""

import json
import os
import re
import resource
import shutil
import signal
import subprocess
import sys
import tempfile
from types import SimpleNamespace
from xml.sax.saxutils import escape, quoteattr

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "debug"))
import disegno  # noqa: E402  the drawings of the debugger command disegna

# Each file a student may write, the folder of its header, and the program built on it.
FILES = {"lista": ("puzzle", "hanoi_demo"), "pila": ("puzzle", "hanoi_demo"),
         "torredihanoi": ("puzzle", "hanoi_demo"), "binalbero": ("tree", "tree_demo"),
         "binalberorand": ("tree", "tree_demo"), "ESERCIZIO": ("tree", "tree_demo")}
TIMEOUT = 10  # seconds for one test; a program's run gets three times as long
CRASHES = {"heap-use-after-free": "it used memory after releasing it",
           "double-free": "it released the same block twice",
           "attempting free on address which was not malloc": "it released memory that no malloc made",
           "heap-buffer-overflow": "it read or wrote past the end of a block",
           "stack-overflow": "its calls went too deep: a recursion that does not end?",
           "SEGV": "a segmentation fault: it read or wrote memory it does not own",
           "runtime error": "undefined behaviour"}


class Failure(Exception):
    """A wrong usage or a missing tool: said in one line, and the exit status is 2."""


def run(command, **options):
    """The command's completed process, its output as text, standard error in standard output."""
    return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                          errors="replace", **options)


def promise(stem, operation):
    """The comment above the operation's declaration in the file's header, as one paragraph."""
    header = os.path.join(ROOT, FILES[stem][0], stem + ".h")
    lines = []
    for line in open(header, encoding="utf-8"):
        if line.startswith("//"):
            lines.append(line[2:].strip())
        elif re.search(rf"\b{operation}\(", line):
            return " ".join(lines)
        else:
            lines = []
    return ""


def drawn(state, summary):
    """The list or tree of a test's state drawn in text as disegna draws it: "list S 1 2" as the
    ring from its sentinel S, "tree 5(1,new 7)" top-down; broken where the words say so."""
    lines = []
    for kind, text in re.findall(r"(list|from|to|tree) ([^;]*)", state):
        whole, _, broken = text.partition(" | broken: ")
        one = disegno.Read.made(disegno.Drawn(kind, kind, None),
                                f"{summary}, broken: {broken}" if broken else summary, [],
                                broken or None)
        if kind == "tree":
            one.records = [] if whole == "empty" else nodes(whole)
            lines += disegno.tree_lines(one)
        else:
            names = re.findall(r"sentinel\(.*?\)|new \S+|a released cell|nullptr|no record the test knows|\S+",
                               whole)
            if not names or not names[0].startswith("sentinel"):
                continue
            one.records = list(enumerate(names[1:]))
            # The broken link is drawn leading where the words say it leads.
            leads = re.search(r"leads to ([^,]*)", broken)
            one.target = leads.group(1) if leads else ""
            lines += disegno.ring_lines(one)
    return lines


def nodes(text):
    """The nodes of a tree written "value(left,right)", in preorder, as disegno reads them."""
    found, waiting, side = [], [None], "sinistro"
    for token in re.findall(r"[^(),]+|[(),]", text):
        if token == "(":
            waiting.append(len(found) - 1)
            side = "sinistro"
        elif token == ",":
            side = "destro"
        elif token == ")":
            waiting.pop()
        else:
            parent = waiting[-1]
            found.append(SimpleNamespace(address=None, value=token.strip(), parent=parent,
                                         children={}))
            if parent is not None:
                found[parent].children[side] = len(found) - 1
    return found


def words(stem, operation, output):
    """What a failing unit test's output says to a student: the operation and its promise, the
    first call that breaks it with what was expected and found, and the drawings; or what the
    crash or the time-out was, and the call it happened in."""
    said = [f"{operation}: {promise(stem, operation)}"]
    failure = re.search(r"Failed\n(.*?)\nSmaller cases were tried first, and passed\.", output, re.S)
    if failure:
        call, expected, found = (failure.group(1).split("\n") + ["", ""])[:3]
        said += [f"The call that breaks it: {call}", expected, found,
                 "Structures were tried from the smallest up: no smaller one fails."]
        said += drawn(call.partition(", on the ")[2], "before the call")
        said += drawn(expected, "expected after it") + drawn(found, "found after it")
        return "\n".join(said)
    calls = re.findall(r"^@call (.*)$", output, re.M)
    return "\n".join(said + [crash(output)] + ([f"It happened in the call {calls[-1]}"] if calls else []))


def crash(output):
    """A crash's or a time-out's cause, in words."""
    if output.startswith("timeout "):
        return f"It did not end within {output.split()[1]} s: an endless loop, or a ring that never closes?"
    for name, meaning in CRASHES.items():
        if name in output:
            return f"The test crashed: {meaning}."
    return "The test failed: " + output.strip().splitlines()[-1] if output.strip() else "The test crashed."


def attempt(command, timeout=TIMEOUT):
    """A run of a test or a program, its standard input empty: (passed, standard output, standard
    error), a time-out's standard error being "timeout" and a signal's name ending it. A program
    reports its heap use on standard error."""
    env = dict(os.environ, TRACE_CALLS="1", MALLOC_REPORT="1",
               ASAN_OPTIONS="detect_leaks=0:allocator_may_return_null=1:malloc_context_size=10")
    try:
        done = subprocess.run(command, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              text=True, errors="replace", timeout=timeout, env=env)
    except subprocess.TimeoutExpired as late:
        said = late.stderr.decode(errors="replace") if isinstance(late.stderr, bytes) else late.stderr or ""
        return False, "", f"timeout {timeout}\n{said}"
    ended = "" if done.returncode >= 0 else "\n" + signal.Signals(-done.returncode).name.replace("SIGSEGV", "SEGV")
    return done.returncode == 0, done.stdout, done.stderr + ended


def graded(stem, build, log):
    """The tests of one submitted file, as (name, passed, output) triples."""
    program = FILES[stem][1]
    binary = os.path.join(build, "tests", stem + "_tests")
    lines = [re.sub(r"\S*/submission/", "", line) for line in log.splitlines()]
    if not os.path.exists(binary):
        errors = [line for line in lines if line.startswith(f"{stem}.cpp:") and "error" in line]
        errors = errors or [line for line in lines if "error" in line or "undefined" in line]
        return [(f"{stem}.cpp compiles", False, "It does not compile:\n" + "\n".join(dict.fromkeys(errors[:30])))]
    listing = run([binary, f"--gtest_filter={stem}.*", "--gtest_list_tests"]).stdout
    tests = [line.strip() for line in listing.splitlines() if line.startswith("  ")]
    results = [] if tests else [(f"{stem}.tests", False, "The tests cannot start:\n" + listing[-2000:])]
    for test in tests:
        passed, output, errors = attempt([binary, f"--gtest_filter={stem}.{test}"])
        output += errors
        results.append((f"{stem}.{test}", passed, "" if passed else words(stem, test, output)))
    expected = [open(os.path.join(ROOT, "tests", "expected", program + name), encoding="utf-8").read()
                for name in (".txt", ".heap.txt")]
    passed, output, errors = attempt([os.path.join(build, "tests", f"{stem}_{program}")], 3 * TIMEOUT)
    heap = re.search(r"^heap: .*$", errors, re.M)
    if passed and output != expected[0]:
        pairs = list(zip(output.splitlines() + ["(nothing)"] * 99, expected[0].splitlines()))
        line = next((k for k, (got, want) in enumerate(pairs) if got != want), len(pairs) - 1)
        output = f"Line {line + 1} of its output is {pairs[line][0]!r}, where {pairs[line][1]!r} is expected."
        passed = False
    elif passed and heap and heap.group() != expected[1].splitlines()[0]:
        output = f"It reports \"{heap.group()}\", where \"{expected[1].splitlines()[0]}\" is expected."
        passed = False
    elif not passed:
        output = crash(errors)
    said = "" if passed else (f"{program}, built on your {stem}.cpp, prints its fixed output, makes its "
                              f"allocations and releases, and ends with status 0.\n{output}")
    warned = [line for line in lines if line.startswith(f"{stem}.cpp:") and "warning:" in line]
    # The compiler's warnings on the file are said with its program's test, passed or failed.
    parts = (["The compiler's warnings:", *dict.fromkeys(warned)] if warned else []) + ([said] if said else [])
    results.append((f"{stem}.{program}", passed, "\n".join(parts)))
    return results


def grade(submission, results):
    files = [stem for stem in FILES if os.path.isfile(os.path.join(submission, stem + ".cpp"))]
    if not files:
        raise Failure(f"{submission} holds none of {', '.join(stem + '.cpp' for stem in FILES)}")
    for tool in ("cmake", "c++"):
        if shutil.which(tool) is None:
            raise Failure(f"{tool} is missing: install the package {'g++' if tool == 'c++' else tool}")
    os.makedirs(results, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        copies, build = os.path.join(work, "submission"), os.path.join(work, "build")
        os.mkdir(copies)
        for stem in files:
            shutil.copy(os.path.join(submission, stem + ".cpp"), copies)
        generator = ["-G", "Ninja"] if shutil.which("ninja") else []
        # AddressSanitizer reserves terabytes of address space, which a limit on it (ulimit -v) forbids.
        limited = resource.getrlimit(resource.RLIMIT_AS)[0] != resource.RLIM_INFINITY
        if limited:
            print("AddressSanitizer is left out: this system or its limit on address space has no room for it.")
        sanitizers = "" if limited else "address,undefined"
        configured = run(["cmake", "-S", ROOT, "-B", build, *generator, "-DCMAKE_BUILD_TYPE=Debug",
                          f"-DGRADE_SUBMISSION={copies}", f"-DSANITIZERS={sanitizers}", "-DSTRICT_WARNINGS=ON",
                          "-DCMAKE_COMPILE_WARNING_AS_ERROR=OFF", "-DLIBRARY_CHECKS=ON"])
        if configured.returncode != 0:
            raise Failure("the grading build cannot be configured: " +
                          " ".join(configured.stdout.split("CMake Error")[-1].split())[:300])
        # One build of every file's targets, going on past a file that does not compile.
        keep_going = ["--", "-k", "0"] if generator else ["--", "-k"]
        log = run(["cmake", "--build", build, "--target", *(f"grade_{stem}" for stem in files), *keep_going]).stdout
        warnings = list(dict.fromkeys(re.sub(r"\S*/submission/", "", line) for line in log.splitlines()
                                      if "warning:" in line and "/submission/" in line))
        tests = [(stem, *test) for stem in files for test in graded(stem, build, log)]
    report(files, tests, warnings, results)


def report(files, tests, warnings, results):
    """results.json, junit.xml and the summary on standard output."""
    rows, score = [], 0
    for stem, name, passed, output in tests:
        share = 100 / len(files) / sum(1 for test in tests if test[0] == stem)
        score += share if passed else 0
        rows.append({"name": name, "score": round(share if passed else 0, 2), "max_score": round(share, 2),
                     "status": "passed" if passed else "failed", "output": output})
    score = round(score, 2)
    score = int(score) if float(score).is_integer() else score
    with open(os.path.join(results, "results.json"), "w", encoding="utf-8") as file:
        json.dump({"score": score, "tests": rows}, file, indent=2)
    with open(os.path.join(results, "junit.xml"), "w", encoding="utf-8") as file:
        file.write('<?xml version="1.0" encoding="UTF-8"?>\n')
        failures = sum(1 for row in rows if row["status"] == "failed")
        file.write(f'<testsuite name="grade" tests="{len(rows)}" failures="{failures}">\n')
        for row in rows:
            file.write(f'  <testcase name={quoteattr(row["name"])} classname="grade">')
            if row["status"] == "failed":
                file.write(f'<failure message="failed">{escape(row["output"])}</failure>')
            file.write("</testcase>\n")
        file.write("</testsuite>\n")
    if warnings:
        print("Warnings in your files:\n" + "\n".join(warnings))
    for row in rows:
        print(f"{'PASS' if row['status'] == 'passed' else 'FAIL'}  {row['name']}  "
              f"{row['score']:g} / {row['max_score']:g}")
    print(f"score: {score:g} / 100")


def stubs(folder):
    """Writes each file's stub: every function of its header with an empty body, or one that
    returns 0, its parameters unnamed; every variable 0."""
    os.makedirs(folder, exist_ok=True)
    for stem, (where, _) in FILES.items():
        header = open(os.path.join(ROOT, where, stem + ".h"), encoding="utf-8").read()
        lines = [f'#include "{stem}.h"', ""]
        for kind, name, parameters in re.findall(r"^(\w[\w*]*\**) (\w+)\((.*)\);$", header, re.M):
            unnamed = ", ".join(re.sub(r"\s*\w+$", "", p) for p in parameters.split(", ") if p)
            lines.append(f"{kind} {name}({unnamed}) {{{'' if kind == 'void' else ' return {}; '}}}")
        lines += [f"int {name}{{}};" for name in re.findall(r"^extern int (\w+);$", header, re.M)]
        with open(os.path.join(folder, stem + ".cpp"), "w", encoding="utf-8") as file:
            file.write("\n".join(lines) + "\n")


def main(command):
    try:
        if command == "stubs" and len(sys.argv) == 2:
            stubs(sys.argv[1])
        elif command == "grade" and len(sys.argv) == 3 and os.path.isdir(sys.argv[1]):
            grade(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]))
        else:
            raise Failure("usage: tools/grade SUBMISSION RESULTS, SUBMISSION a folder; tools/stubs FOLDER")
    except Failure as failure:
        print(f"{command}: {failure}", file=sys.stderr)
        return 2
    return 0
