"""Films of the lists, stacks and trees, for the command filma of gdb and LLDB alike: the structures
named drawn at each stop of the program, or after each line of one function that changed them, as
one HTML page that needs nothing else to be shown, its drawings, styles and script within it.

Each frame holds each structure as a Part, read as disegna reads it (disegno.gather): its records
as boxes in abstract slots (a disk's height on its peg, a cell's place in its ring from the
sentinel, a node's level and place in the complete tree), keyed by address, and its links as
arrows. Once every frame is read, each structure gets the room that its largest frame needs, so
that every frame has the same size and each structure its place; each frame is drawn with what
changed since the one before it highlighted: a box added or written, a link that leads elsewhere;
and what went, in grey.
"""

import html
import json
import shlex
from collections import namedtuple

import disegno

USAGE = "usage: filma [--righe] [-n FRAMES] -o FILE.html EXPRESSION..."
BOUND = 5000  # frames, by default

Order = namedtuple("Order", "path bound lines expressions")
# A record drawn: its slot, its label and the names of the positions marked there.
Box = namedtuple("Box", "slot label marks")
# A structure in a frame: its expression, kind, title ("name: summary"), whether it is wrong, its
# boxes by address (a ring's note on where its link to blame leads keyed "note") and its arrows
# by (address, field) to (address, in red).
Part = namedtuple("Part", "name kind title wrong boxes arrows")
Frame = namedtuple("Frame", "caption parts wrong")


def parse(argument):
    """The command's arguments, split as a shell splits words, as an Order; ValueError with the
    usage where they are wrong."""
    try:
        words = shlex.split(argument)
    except ValueError as error:
        raise ValueError(f"{error}; {USAGE}") from None
    path, bound, lines = None, BOUND, False
    while words and words[0] in ("--righe", "-o", "-n"):
        option = words.pop(0)
        if option == "--righe":
            lines = True
            continue
        if not words:
            raise ValueError(USAGE)
        if option == "-o":
            path = words.pop(0)
        elif words[0].isdigit() and int(words[0]) > 0:
            bound = int(words.pop(0))
        else:
            raise ValueError(f"-n takes a number of frames, 1 or more; {USAGE}")
    if path is None or not path.lower().endswith(".html") or not words:
        raise ValueError(USAGE)
    return Order(path, bound, lines, words)


def part(one):
    """A structure read (a disegno.Read) as a Part: its boxes in slots and its arrows."""
    name, kind = one.drawn.name, one.drawn.kind
    wrong = one.trouble() is not None and one.summary != "nullptr"
    boxes, arrows = {}, {}

    def box(address, slot, label):
        boxes[address] = Box(slot, str(label), tuple(one.marks.get(address, ())))

    if kind == "albero":
        place = {}
        for node in one.records:
            parent = one.records[node.parent] if node.parent is not None else None
            level, at = (0, 0) if parent is None else place[parent.address]
            slot = (0, 0) if parent is None else (level + 1, 2 * at + (node.side == "destro"))
            place[node.address] = slot
            box(node.address, slot, node.value)
            if parent is not None:
                arrows[(parent.address, node.side)] = (node.address, False)
                arrows[(node.address, "padre")] = (parent.address, False)
    elif kind == "pila":
        for height, (address, element) in enumerate(one.records):
            box(address, (height, 0), element)
    elif one.sentinel:
        box(one.sentinel, (0, 0), "sentinel")
        chains = [[one.sentinel], []]
        for index, (address, element) in enumerate(one.records + one.rest):
            gap = index >= len(one.records)
            box(address, (index + 1 + gap, 0), element)
            chains[gap].append(address)
        if one.problem is None:
            chains[0].append(one.sentinel)
        elif one.rest:
            chains[1].append(one.sentinel)
        for chain in chains:
            for before, after in zip(chain, chain[1:]):
                arrows[(before, "succ")] = (after, False)
                arrows[(after, "pred")] = (before, False)
    link = getattr(one.problem, "link", None)
    if link and link[0] in boxes and kind != "pila":
        source, field, target = link
        if target not in boxes:
            last = max([slot for slot, _, _ in boxes.values()], default=(0, 0))
            target = "note"
            box(target, (last[0] + 1, 0) if kind == "lista" else (last[0] + 1, last[1]),
                one.target or ("null" if link[2] == 0 else f"{link[2]:#x}"))
        arrows[(source, field)] = (target, True)
    title = f"{name}: {one.summary}"
    return Part(name, kind, title, wrong, boxes, tuple(sorted(arrows.items(), key=str)))


def caption(function, arguments, file, line):
    """A stop's caption: the function, with its arguments as the views show them, and where."""
    shown = ", ".join(f"{name}={value}" for name, value in arguments)
    return f"{bare(function)}({shown}) at {file}:{line}"


def bare(function):
    """A function's name without the list of its parameters that a debugger may give with it."""
    if function.endswith(")"):
        depth = 0
        for index in range(len(function) - 1, -1, -1):
            depth += {")": 1, "(": -1}.get(function[index], 0)
            if depth == 0:
                return function[:index]
    return function


SOURCES = {}


def line_run(path, file, number):
    """A line's caption in a film line by line: where it is and the line itself, read from the
    source file at path where it can be."""
    if path not in SOURCES:
        try:
            with open(path, encoding="utf-8", errors="replace") as source:
                SOURCES[path] = source.read().splitlines()
        except OSError:
            SOURCES[path] = []
    lines = SOURCES[path]
    text = lines[number - 1].strip() if 0 < number <= len(lines) else ""
    return f"{file}:{number}: {text}"


def shoot(order, reader, evaluate, where, advance):
    """Records a film by order and writes it: where() gives the caption of where the program
    stands, advance() takes the program to its next stop or line and gives None, or the words that
    end the film. Line by line, a frame is kept only where a structure changed. Returns what was
    done, in words, and each line of the frames that says what could not be drawn, once."""
    frames = []
    while True:
        read, wrong = disegno.gather(reader, order.expressions, evaluate)
        parts = [part(one) for one in read]
        if not (order.lines and frames and parts == frames[-1].parts):
            frames.append(Frame(where(), parts, wrong))
        if len(frames) == order.bound:
            ending = (f"stopped early, at {order.bound} frames (filma -n {order.bound}); the program"
                      " goes on from the last one")
            break
        ending = advance()
        if ending:
            break
    title = f"filma {' '.join(order.expressions)}"
    wrong = list(dict.fromkeys(line for frame in frames for line in frame.wrong))
    try:
        with open(order.path, "w", encoding="utf-8") as page_file:
            page_file.write(page(title, frames, ending))
    except OSError as error:
        return f"{order.path}: {error.strerror}", wrong
    return f"{len(frames)} frame{'s' if len(frames) > 1 else ''} in {order.path}: {ending}", wrong


CHAR = 9  # the width of a character of the drawings' font
HIGH = 26  # a box's height
GAP = 44  # the room between two cells of a ring, for their arrows
LEVEL = 64  # the room from a tree's level to the next
LINE = 20  # a line of text
MARGIN = 8  # around the drawing


class Room:
    """Where each box of one structure goes, every frame alike: made from all its Parts."""

    def __init__(self, parts, pegs):
        self.kind = parts[0].kind
        labels = [box.label for one in parts for box in one.boxes.values()]
        self.wide = max([CHAR * len(label) + 16 for label in labels] + [48])
        title = max(CHAR * len(one.title) + 8 for one in parts)
        slots = [box.slot for one in parts for box in one.boxes.values()] or [(0, 0)]
        self.wrong = any(one.wrong for one in parts)
        if self.kind == "pila":
            # The pegs stand side by side alike: as high as the highest, as wide as the widest,
            # each disk as wide as its number is large among all their disks.
            self.largest, rows, label = pegs
            self.wide = max(CHAR * label + 32, min(30 * self.largest, 360))
            self.base = LINE + rows * (HIGH - 4)
            self.height = self.base + LINE + 6
            self.width = self.wide
        elif self.kind == "lista":
            self.height = 2 * LINE + 3 * HIGH + LINE
            self.width = max(title, (max(slot[0] for slot in slots) + 1) * (self.wide + GAP))
        else:
            self.levels = max(slot[0] for slot in slots) + 1
            self.height = LINE + self.levels * LEVEL
            self.span = 2 ** (self.levels - 1) * (self.wide + 8)
            self.width = max(title, self.span)

    def box(self, box):
        """A box's rectangle, (x, y, width, height), from the room's top left corner."""
        first, second = box.slot
        if self.kind == "pila":
            size = abs(int(box.label)) if box.label.lstrip("-").isdigit() else 0
            width = max(CHAR * len(box.label) + 12, self.wide * size / max(self.largest, 1))
            y = self.base - (first + 1) * (HIGH - 4)
            return ((self.wide - width) / 2, y, width, HIGH - 4)
        if self.kind == "lista":
            return (first * (self.wide + GAP), LINE + 1.5 * HIGH, self.wide, HIGH)
        span = self.span / 2 ** first
        return ((second + 0.5) * span - self.wide / 2, LINE + first * LEVEL + 10, self.wide, HIGH)


def page(title, frames, ending):
    """The film's page: every frame drawn, with its caption and what changed, and the controls."""
    names = {}
    for frame in frames:
        for one in frame.parts:
            names.setdefault(one.name, []).append(one)
    pegs = [box for values in names.values() if values[0].kind == "pila" for one in values
            for box in one.boxes.values()]
    pegs = (max([abs(int(box.label)) for box in pegs if box.label.lstrip("-").isdigit()] + [1]),
            max([box.slot[0] + 1 for box in pegs] + [1]),
            max([len(box.label) for box in pegs] + [1] +
                [len(name) for name, values in names.items() if values[0].kind == "pila"]))
    # The pegs side by side at the top, with a line for each that is ever wrong; below them each
    # list and each tree in a band of its own; a margin all around.
    rooms = {name: Room(values, pegs) for name, values in names.items()}
    places, width = {}, MARGIN
    for name, room in rooms.items():
        if room.kind == "pila":
            places[name] = (width, MARGIN)
            width += room.width + 24
    band = max([room.height for room in rooms.values() if room.kind == "pila"], default=0)
    troubles = MARGIN + band  # where the pegs' lines on what is wrong start
    band += LINE * sum(room.wrong for room in rooms.values() if room.kind == "pila")
    height = MARGIN + band
    for name, room in rooms.items():
        if room.kind != "pila":
            places[name] = (MARGIN, height + (LINE if band else 0))
            height = places[name][1] + room.height
            width = max(width, MARGIN + room.width)
    shown, before = [], {}
    for frame in frames:
        svg, changes, marks = [], [], {}
        trouble = troubles
        for one in frame.parts:
            origin = places[one.name]
            if one.kind == "pila" and one.wrong:
                svg.append(words(MARGIN, trouble + LINE - 6, one.title, "red"))
                trouble += LINE
            svg += drawing(one, rooms[one.name], origin, before.get(one.name), changes)
            for address, box in one.boxes.items():
                for mark in box.marks:
                    marks[mark] = box.label
            before[one.name] = one
        wrong = [one.title for one in frame.parts if one.wrong] + frame.wrong
        shown.append({"caption": frame.caption, "changes": "; ".join(changes) or "nothing changed",
                      "marks": marks, "wrong": wrong, "svg": "".join(svg)})
    data = json.dumps({"frames": shown}, separators=(",", ":")).replace("</", "<\\/")
    width, height = int(width) + MARGIN, int(height) + MARGIN
    return PAGE.format(title=html.escape(title), ending=html.escape(ending), width=width,
                       height=height, double=2 * width, count=len(frames), data=data)


def words(x, y, text, colour="black", anchor="start"):
    """A line of text in a drawing, starting at x, or centred there with anchor "middle"."""
    centred = " text-anchor='middle'" if anchor == "middle" else ""
    return f"<text x='{x:.0f}' y='{y:.0f}' fill='{colour}'{centred}>{html.escape(text)}</text>"


def drawing(one, room, origin, before, changes):
    """One structure's drawing in a frame, with what changed since its drawing before, and that
    said in changes."""
    ox, oy = origin
    svg = []
    old = before.boxes if before else {}
    label = {address: box.label for address, box in {**old, **one.boxes}.items()}

    def rectangle(box, kind):
        x, y, w, h = room.box(box)
        return (f"<rect class='{kind}' x='{ox + x:.0f}' y='{oy + y:.0f}' width='{w:.0f}' "
                f"height='{h:.0f}' rx='3'/>"
                + words(ox + x + w / 2, oy + y + h / 2 + 5, box.label, anchor="middle"))

    if room.kind == "pila":
        middle = ox + room.wide / 2
        base = oy + room.base
        svg.append(f"<line class='rod' x1='{middle:.0f}' y1='{oy + 6}' x2='{middle:.0f}' "
                   f"y2='{base}'/><line class='base' x1='{ox}' y1='{base}' x2='{ox + room.wide:.0f}'"
                   f" y2='{base}'/>")
        svg.append(words(middle, base + LINE - 4, one.name, "red" if one.wrong else "black",
                         "middle"))
    else:
        svg.append(words(ox + 4, oy + LINE - 6, one.title, "red" if one.wrong else "black"))
    if before is not None:
        taken = {box.slot for box in one.boxes.values()}
        for address, box in old.items():
            if address not in one.boxes:
                changes.append(f"{one.name}: {box.label} went")
                if box.slot not in taken:
                    svg.append(rectangle(box, "gone"))
    for address, box in one.boxes.items():
        kind = "note" if address == "note" else "box"
        if before is not None and address != "note":
            if address not in old:
                changes.append(f"{one.name}: {box.label} came")
                kind = "new"
            elif old[address].label != box.label:
                changes.append(f"{one.name}: {box.label} written over {old[address].label}")
                kind = "new"
        svg.append(rectangle(box, kind))
        if box.marks:
            x, y, w, h = room.box(box)
            svg.append(f"<rect class='mark' x='{ox + x - 3:.0f}' y='{oy + y - 3:.0f}' "
                       f"width='{w + 6:.0f}' height='{h + 6:.0f}' rx='5'/>")
            svg.append(words(ox + x + w / 2, oy + y - 7, ",".join(box.marks), "blue", "middle"))
            if before is not None and old.get(address, Box(0, 0, ())).marks != box.marks:
                changes.append(f"{','.join(box.marks)} at {box.label}")
    links = dict(one.arrows)
    previous = dict(before.arrows) if before else {}
    for key, (target, red) in one.arrows:
        moved = before is not None and previous.get(key, (None, red))[0] != target
        kind = "red" if red else "new" if moved else "link"
        if moved:
            changes.append(f"{one.name}: the {key[1]} of {label[key[0]]} leads to {label[target]}")
        svg.append(arrow(room, origin, one.boxes[key[0]], key[1], one.boxes[target], kind))
    for key, (target, _) in previous.items():
        if key not in links and key[0] in one.boxes and target in one.boxes:
            svg.append(arrow(room, origin, one.boxes[key[0]], key[1], one.boxes[target], "gone"))
    return svg


def arrow(room, origin, source, field, target, kind):
    """An arrow for the link field from source to target: in a ring, succ above and pred below,
    straight between neighbours and curved past them; in a tree, down to a child and, dashed, up to
    the parent."""
    ox, oy = origin
    sx, sy, sw, sh = room.box(source)
    tx, ty, tw, th = room.box(target)
    dash = " stroke-dasharray='5,3'" if field == "padre" else ""
    end = f" marker-end='url(#{kind})'"
    if room.kind == "albero":
        shift = 5 if field == "padre" else -5
        up = field == "padre" and ty < sy
        x1, y1 = sx + sw / 2 + shift, sy if up else sy + sh
        x2, y2 = tx + tw / 2 + shift, ty + th if up else ty
        if not up and ty <= sy:  # a link to blame that leads up or across
            y1, y2 = sy + sh, ty + th
        return (f"<line class='{kind}' x1='{ox + x1:.0f}' y1='{oy + y1:.0f}' x2='{ox + x2:.0f}' "
                f"y2='{oy + y2:.0f}'{dash}{end}/>")
    below = field == "pred"
    y = sy + (sh * 0.7 if below else sh * 0.3)
    forward = tx > sx
    x1 = sx + sw if forward else sx
    x2 = tx if forward else tx + tw
    if abs(tx - sx) <= room.wide + GAP + 1 and source != target:
        return (f"<line class='{kind}' x1='{ox + x1:.0f}' y1='{oy + y:.0f}' x2='{ox + x2:.0f}' "
                f"y2='{oy + y:.0f}'{end}/>")
    x1, x2 = sx + sw / 2, tx + tw / 2 + (6 if below else -6)
    edge, bend = (sy + sh, sy + sh + HIGH) if below else (sy, sy - HIGH)
    text = words(ox + (x1 + x2) / 2, oy + bend - 2, field, "red") if kind == "red" else ""
    return (f"<path class='{kind}' d='M{ox + x1:.0f},{oy + edge:.0f} C{ox + x1:.0f},"
            f"{oy + bend:.0f} {ox + x2:.0f},{oy + bend:.0f} {ox + x2:.0f},{oy + edge:.0f}' "
            f"fill='none'{end}/>" + text)


MARKERS = "".join(
    f"<marker id='{kind}' viewBox='0 0 10 10' refX='10' refY='5' markerUnits='userSpaceOnUse' "
    f"markerWidth='9' markerHeight='9' orient='auto'><path d='M0,0 L10,5 L0,10 z' "
    f"fill='{colour}'/></marker>"
    for kind, colour in (("link", "black"), ("new", "darkorange"), ("red", "red"),
                         ("gone", "silver")))

PAGE = """<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'">
<title>{title}</title>
<style>
body {{ font-family: sans-serif; margin: 1em; }}
figure {{ margin: 0; padding: 0.5em; background: white; }}
figcaption p {{ margin: 0.4em 0; min-height: 1.2em; }}
svg {{ display: block; width: 100%; height: auto; border: 1px solid #ccc; }}
svg text {{ font-family: monospace; font-size: 14px; }}
rect.box {{ fill: white; stroke: black; }}
rect.new {{ fill: #ffd27f; stroke: darkorange; stroke-width: 2; }}
rect.gone {{ fill: none; stroke: silver; stroke-dasharray: 4,3; }}
rect.gone + text {{ fill: silver; }}
rect.note {{ fill: #fee; stroke: red; }}
rect.mark {{ fill: none; stroke: blue; stroke-width: 2; }}
line.rod, line.base {{ stroke: gray; stroke-width: 3; }}
.link {{ stroke: black; }} .new {{ stroke: darkorange; stroke-width: 2.5; }}
.red {{ stroke: red; stroke-width: 2.5; }} .gone {{ stroke: silver; }}
#caption {{ font-family: monospace; font-size: 16px; }}
#changes {{ color: darkorange; }} #wrong {{ color: red; }}
#controls button {{ min-width: 4em; }}
</style>
</head>
<body>
<h1>{title}</h1>
<p id="ending">{ending}</p>
<figure id="still" style="max-width: {double}px">
<svg id="drawing" viewBox="0 0 {width} {height}" style="max-width: {double}px"><defs>{markers}</defs><g id="frame"></g></svg>
<figcaption><p id="caption"></p><p id="changes"></p><p id="wrong"></p></figcaption>
</figure>
<div id="controls">
<button id="first" title="first frame (Home)">first</button>
<button id="previous" title="previous frame (left arrow)">previous</button>
<button id="play" title="play or pause">play</button>
<button id="next" title="next frame (right arrow)">next</button>
<button id="last" title="last frame (End)">last</button>
<label>speed <select id="speed"><option value="1">1 frame/s</option><option value="2" selected>2 frames/s</option><option value="5">5 frames/s</option><option value="10">10 frames/s</option><option value="30">30 frames/s</option></select></label>
<input id="slider" type="range" min="1" max="{count}" value="1">
<span id="number"></span>
</div>
<script type="application/json" id="film">{data}</script>
<script>
"use strict";
const frames = JSON.parse(document.getElementById("film").textContent).frames;
const $ = (id) => document.getElementById(id);
let at = 0, timer = null;
function show(index) {{
    at = Math.max(0, Math.min(frames.length - 1, index));
    const frame = frames[at];
    $("frame").innerHTML = frame.svg;
    $("caption").textContent = frame.caption;
    $("changes").textContent = at > 0 ? "changed: " + frame.changes : "";
    $("wrong").textContent = frame.wrong.join("\\n");
    $("slider").value = at + 1;
    $("number").textContent = "frame " + (at + 1) + " of " + frames.length;
}}
function pause() {{
    clearInterval(timer);
    timer = null;
    $("play").textContent = "play";
}}
function play() {{
    if (at === frames.length - 1) show(0);
    timer = setInterval(() => (at + 1 < frames.length ? show(at + 1) : pause()), 1000 / $("speed").value);
    $("play").textContent = "pause";
}}
$("first").onclick = () => show(0);
$("previous").onclick = () => show(at - 1);
$("next").onclick = () => show(at + 1);
$("last").onclick = () => show(frames.length - 1);
$("play").onclick = () => (timer ? pause() : play());
$("speed").onchange = () => {{ if (timer) {{ pause(); play(); }} }};
$("slider").oninput = () => show($("slider").value - 1);
const keys = {{ ArrowLeft: -1, ArrowRight: 1 }};
document.addEventListener("keydown", (event) => {{
    if (event.key in keys) show(at + keys[event.key]);
    else if (event.key === "Home") show(0);
    else if (event.key === "End") show(frames.length - 1);
    else return;
    event.preventDefault();
}});
show(0);
</script>
</body>
</html>
""".replace("{markers}", MARKERS)
