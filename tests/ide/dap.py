# A client of the Debug Adapter Protocol, as VS Code's LLDB extensions drive LLDB, writing the rows
# of its Variables and Watch panes.
#     dap.py WORKSPACE CONFIGURATION PROGRAM STEPS ADAPTER [ARG...]
# The adapter launches the program of the CONFIGURATION of WORKSPACE/.vscode/launch.json in its
# folder with its initCommands, as the editor resolves it (vscode.py, which takes PROGRAM). The
# steps, a line each: "break FUNCTION" runs or continues to the next call of FUNCTION; "frame N"
# selects frame N; "locals" writes the frame's local variables and their children; "watch
# EXPRESSION [DEPTH]" evaluates an expression as the Watch pane does, and writes it with its
# children to DEPTH levels (default 1), each child of the first level followed by what its
# evaluateName, as "Add to Watch" takes it, evaluates to, or "(does not evaluate)". A row is
# "name = value", and "+" where the row can be opened. "repl TEXT" sends TEXT as typed in the
# debug console, and writes what it answers.

import json
import subprocess
import sys

import vscode

workspace, name, program, steps, *adapter = sys.argv[1:]
launch = vscode.resolve(workspace, name, program)
# What the adapter logs on its standard error is no part of the panes.
dap = subprocess.Popen(adapter, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                       stderr=subprocess.DEVNULL)
sent = 0
pending = []  # messages read while another was awaited: an event may come before an answer


def wait_for(test):
    for found in pending:
        if test(found):
            pending.remove(found)
            return found
    while True:
        length = 0
        for line in iter(dap.stdout.readline, b"\r\n"):
            if not line:
                sys.exit("the adapter ended")
            name, _, value = line.decode().partition(":")
            length = int(value) if name.lower() == "content-length" else length
        found = json.loads(dap.stdout.read(length))
        if test(found):
            return found
        pending.append(found)


def send(command, **arguments):
    global sent
    sent += 1
    body = json.dumps({"seq": sent, "type": "request", "command": command, "arguments": arguments})
    dap.stdin.write(b"Content-Length: %d\r\n\r\n%s" % (len(body), body.encode()))
    dap.stdin.flush()


def request(command, **arguments):
    send(command, **arguments)
    answer = wait_for(lambda m, number=sent: m.get("request_seq") == number)
    return answer.get("body", {}) if answer["success"] else {"result": "(does not evaluate)"}


def write(depth, name, value, opens):
    sys.stdout.write(f"{'  ' * depth}{name} = {value.splitlines()[0]}{' +' if opens else ''}\n")


def show(reference, depth, indent, watched):
    for row in request("variables", variablesReference=reference)["variables"]:
        write(indent, row["name"], row["value"], row["variablesReference"])
        if watched and "evaluateName" in row:
            again = request("evaluate", expression=row["evaluateName"], frameId=frame,
                            context="watch")
            write(indent + 1, row["evaluateName"], again["result"], False)
        if depth > 1 and row["variablesReference"]:
            show(row["variablesReference"], depth - 1, indent + 1, False)


request("initialize", adapterID="lldb-dap", linesStartAt1=True, columnsStartAt1=True)
# The launch is answered once the program is configured, at the first break.
send("launch", program=launch["program"], cwd=launch["cwd"], initCommands=launch["commands"],
     stdio=["/dev/null", "/dev/null", None])
wait_for(lambda m: m.get("event") == "initialized")
thread = None
with open(steps, encoding="utf-8") as file:
    for word, *rest in (line.split() for line in file if line.strip() and line[0] != "#"):
        if word == "break":
            request("setFunctionBreakpoints", breakpoints=[{"name": rest[0]}])
            request("continue", threadId=thread) if thread else request("configurationDone")
            wait_for(lambda m: m.get("event") == "stopped")
            request("setFunctionBreakpoints", breakpoints=[])
            thread = request("threads")["threads"][0]["id"]
            frames = request("stackTrace", threadId=thread)["stackFrames"]
            frame = frames[0]["id"]
        elif word == "repl":
            sys.stdout.write(request("evaluate", expression=" ".join(rest), frameId=frame,
                                     context="repl")["result"] + "\n")
        elif word == "frame":
            frame = frames[int(rest[0])]["id"]
        elif word == "locals":
            show(request("scopes", frameId=frame)["scopes"][0]["variablesReference"], 2, 0, False)
        elif word == "watch":
            found = request("evaluate", expression=rest[0], frameId=frame, context="watch")
            opens = found.get("variablesReference", 0)
            write(0, rest[0], found["result"], opens)
            if opens:
                show(opens, int(rest[1]) if rest[1:] else 1, 1, True)
request("disconnect", terminateDebuggee=True)
# What the adapter still writes is read to its end, so that it never writes to a closed pipe.
dap.communicate()
