"""A client of the Debug Adapter Protocol, as VS Code's LLDB extensions drive LLDB, writing what its
Variables and Watch panes show. Usage: dap.py WORKSPACE PROGRAM SCRIPT ADAPTER [ARG...]

The adapter launches PROGRAM with the initCommands of the lldb-dap configuration in
WORKSPACE/.vscode/launch.json. The script's steps: "break FUNCTION" runs or continues to the next
call of FUNCTION; "frame N" selects frame N for the steps after it; "locals [DEPTH]" writes the
frame's local variables with their children to DEPTH levels (default 1); "watch EXPRESSION
[DEPTH]" evaluates an expression as the Watch pane does, and writes it the same way, each child at
the first level followed by what its evaluateName, as "Add to Watch" takes it, evaluates to."""

import json
import subprocess
import sys

import ide

workspace, program, script, *adapter = sys.argv[1:]
dap = subprocess.Popen(adapter, stdin=subprocess.PIPE, stdout=subprocess.PIPE)
sequence = 0


def message():
    length = 0
    for line in iter(dap.stdout.readline, b"\r\n"):
        if not line:
            sys.exit("the adapter ended")
        name, _, value = line.decode().partition(":")
        length = int(value) if name.lower() == "content-length" else length
    return json.loads(dap.stdout.read(length))


# Messages read while another was awaited: an event may come before the answer it follows.
pending = []


def wait_for(test):
    for found in pending:
        if test(found):
            pending.remove(found)
            return found
    while not test(found := message()):
        pending.append(found)
    return found


def request(command, may_fail=False, **arguments):
    global sequence
    sequence += 1
    body = json.dumps({"seq": sequence, "type": "request", "command": command,
                       "arguments": arguments}).encode()
    dap.stdin.write(b"Content-Length: %d\r\n\r\n%s" % (len(body), body))
    dap.stdin.flush()
    number = sequence
    answer = wait_for(lambda m: m.get("type") == "response" and m["request_seq"] == number)
    if not answer["success"] and not may_fail:
        sys.exit(f"{command} {arguments}: {answer.get('message')}")
    return answer.get("body", {}) if answer["success"] else {"result": answer.get("message")}


def show(reference, depth, indent, watched=False):
    for variable in request("variables", variablesReference=reference)["variables"]:
        opens = variable.get("variablesReference", 0)
        ide.write(indent, variable["name"], variable["value"], opens)
        if watched and "evaluateName" in variable:
            again = request("evaluate", True, expression=variable["evaluateName"], frameId=frame,
                            context="watch")
            ide.write(indent + 1, variable["evaluateName"], again["result"], False)
        if depth and opens:
            show(opens, depth - 1, indent + 1)


def stopped():
    wait_for(lambda m: m.get("event") == "stopped")
    request("setFunctionBreakpoints", breakpoints=[])
    thread = request("threads")["threads"][0]["id"]
    return thread, request("stackTrace", threadId=thread)["stackFrames"]


request("initialize", adapterID="lldb-dap", linesStartAt1=True, columnsStartAt1=True)
# The launch is answered only once the program is configured, after the first "break".
commands = ide.launch_commands(workspace, "lldb-dap", "initCommands")
sequence += 1
launch = json.dumps({"seq": sequence, "type": "request", "command": "launch", "arguments": {
    "program": program, "initCommands": commands, "stdio": ["/dev/null", "/dev/null", None]}})
dap.stdin.write(b"Content-Length: %d\r\n\r\n%s" % (len(launch), launch.encode()))
dap.stdin.flush()
wait_for(lambda m: m.get("event") == "initialized")
started = False
for word, *rest in ide.steps(script):
    depth = int(rest[-1]) if rest and rest[-1].isdigit() else 1
    if word == "break":
        request("setFunctionBreakpoints", breakpoints=[{"name": rest[0]}])
        request("continue", threadId=thread) if started else request("configurationDone")
        started = True
        thread, frames = stopped()
        frame = frames[0]["id"]
    elif word == "frame":
        frame = frames[int(rest[0])]["id"]
    elif word == "locals":
        show(request("scopes", frameId=frame)["scopes"][0]["variablesReference"], depth, 0)
    elif word == "watch":
        found = request("evaluate", expression=rest[0], frameId=frame, context="watch")
        ide.write(0, rest[0], found["result"], found["variablesReference"])
        if found["variablesReference"]:
            show(found["variablesReference"], depth - 1, 1, True)
request("disconnect", terminateDebuggee=True)
# What the adapter still writes is read to its end, so that it never writes to a closed pipe.
dap.stdin.close()
dap.stdout.read()
dap.wait()
