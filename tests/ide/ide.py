"""What an IDE's Variables and Watch panes show, as lines of text, for the IDE clients mi.py and
dap.py: the launch configuration's commands, the script of steps, and the lines written."""

import json
import sys


def launch_commands(workspace, kind, field):
    """The commands of the launch configuration of the given type in .vscode/launch.json, with
    ${workspaceFolder} replaced."""
    with open(f"{workspace}/.vscode/launch.json", encoding="utf-8") as file:
        configurations = json.load(file)["configurations"]
    found = next(c for c in configurations if c["type"] == kind)[field]
    texts = [c["text"] if isinstance(c, dict) else c for c in found]
    return [text.replace("${workspaceFolder}", workspace) for text in texts]


def steps(script):
    """The script's steps, a line each: a word and its arguments; blank lines and # skipped."""
    with open(script, encoding="utf-8") as file:
        for line in file:
            if line.strip() and not line.startswith("#"):
                yield line.split()


def write(depth, name, value, expandable):
    """One row of a pane: the value's first line, and "+" where the row can be opened."""
    value = value.split("\n")[0]
    sys.stdout.write(f"{'  ' * depth}{name} = {value}{' +' if expandable else ''}\n")
