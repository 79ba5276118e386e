# A configuration of WORKSPACE/.vscode/launch.json as VS Code resolves it when F5 starts it:
#     vscode.py WORKSPACE NAME PROGRAM
# NAME is a configuration's name, or a type, for the first configuration of that type. It
# writes the program to debug, the folder to start it in and the commands that the configuration
# gives its debugger (setupCommands' texts, or initCommands), a line each, with ${workspaceFolder},
# each ${input:...}, by the input's default, and ${fileBasenameNoExtension} replaced, the file open
# in the editor being VSCODE_OPEN_FILE in the environment. With PROGRAM "-", the configuration's own
# program is debugged: the preLaunchTask is run first from .vscode/tasks.json, each task after
# those it depends on, and it must build that program again, removed beforehand, and leave every
# program that an input offers built. Any other PROGRAM stands for the configuration's own, and no
# task is run.
import json
import os
import re
import subprocess
import sys


def load(workspace, name):
    with open(os.path.join(workspace, ".vscode", name), encoding="utf-8") as file:
        return json.load(file)


def resolve(workspace, name, program="-"):
    """The configuration called name, or the first of type name, its ${...} replaced, its task run
    where program is "-"."""
    launch = load(workspace, "launch.json")
    inputs = {one["id"]: one for one in launch.get("inputs", [])}

    def replaced(text, pick=None):
        text = text.replace("${workspaceFolder}", workspace)
        if "${fileBasenameNoExtension}" in text:
            open_file = os.path.basename(os.environ["VSCODE_OPEN_FILE"])
            text = text.replace("${fileBasenameNoExtension}", os.path.splitext(open_file)[0])
        return re.sub(r"\$\{input:([^}]*)\}",
                      lambda found: pick or inputs[found.group(1)]["default"], text)

    configuration = next(one for one in launch["configurations"]
                         if name in (one["name"], one["type"]))
    commands = [one["text"] for one in configuration.get("setupCommands", [])]
    commands += configuration.get("initCommands", [])
    found = {"program": replaced(configuration["program"]), "cwd": replaced(configuration["cwd"]),
             "commands": [replaced(command) for command in commands]}
    if program != "-":
        return dict(found, program=program)
    if os.path.exists(found["program"]):
        os.remove(found["program"])
    run(workspace, configuration["preLaunchTask"])
    offered = re.findall(r"\$\{input:([^}]*)\}", configuration["program"])
    picks = [None] + [pick for one in offered for pick in inputs[one].get("options", [])]
    for pick in picks:
        if not os.path.isfile(replaced(configuration["program"], pick)):
            sys.exit(f"{name}: {configuration['preLaunchTask']} did not build "
                     f"{replaced(configuration['program'], pick)}")
    return found


def run(workspace, label):
    """Runs the task called label, after the tasks it depends on; shows its output if it fails."""
    task = next(one for one in load(workspace, "tasks.json")["tasks"] if one["label"] == label)
    depends = task.get("dependsOn", [])
    for other in [depends] if isinstance(depends, str) else depends:
        run(workspace, other)
    cwd = task.get("options", {}).get("cwd", "${workspaceFolder}").replace("${workspaceFolder}",
                                                                           workspace)
    done = subprocess.run([task["command"], *task.get("args", [])], cwd=cwd, capture_output=True,
                          text=True, check=False)
    if done.returncode != 0:
        sys.exit(f"{done.stdout}{done.stderr}the task {label} failed")


if __name__ == "__main__":
    resolved = resolve(*sys.argv[1:4])
    print("\n".join([resolved["program"], resolved["cwd"], *resolved["commands"]]))
