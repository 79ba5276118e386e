"""digest.py FILM.html: a film of filma as data, to compare with what is expected: how many frames
and how it ended, then each frame with its caption, the positions marked and the label of what
each marks, what is wrong, what changed, and how many of each kind of box and arrow its drawing
holds (rect box, new, gone, note, mark; line or path link, new, red, gone). A frame drawn beyond the
page's frame, or with its pegs not where the first frame has them or their bases not in one line, is
said so."""

import collections
import json
import re
import sys


def digest(path):
    """The film at path, as lines of text."""
    with open(path, encoding="utf-8") as film:
        page = film.read()
    frames = json.loads(re.search(r'<script type="application/json" id="film">(.*?)</script>',
                                  page, re.S).group(1))["frames"]
    width, height = map(int, re.search(r'viewBox="0 0 (\d+) (\d+)"', page).groups())
    lines = [f"{len(frames)} frames: {re.search(r'<p id=.ending.>(.*?)</p>', page).group(1)}"]
    pegs = re.findall(r"<line class='(?:rod|base)'[^>]*>", frames[0]["svg"])
    for number, frame in enumerate(frames, 1):
        svg = frame["svg"]
        drawn = collections.Counter(f"{tag} {kind}" for tag, kind in
                                    re.findall(r"<(rect|line|path) class='(\w+)'", svg)
                                    if kind not in ("rod", "base"))
        marks = ", ".join(f"{name} at {label}" for name, label in sorted(frame["marks"].items()))
        lines += [f"{number}. {frame['caption']}",
                  f"   marked: {marks or 'nothing'}; wrong: {' / '.join(frame['wrong']) or 'nothing'}",
                  f"   changed: {frame['changes']}",
                  f"   drawn: {', '.join(f'{count} {kind}' for kind, count in sorted(drawn.items()))}"]
        xs = [float(x) for x in re.findall(r"\bx[12]?='(-?[\d.]+)'", svg)]
        ys = [float(y) for y in re.findall(r"\by[12]?='(-?[\d.]+)'", svg)]
        if min(xs + ys + [0]) < 0 or max(xs + [0]) > width or max(ys + [0]) > height:
            lines.append(f"   drawn beyond the frame of {width} by {height}")
        if re.findall(r"<line class='(?:rod|base)'[^>]*>", svg) != pegs:
            lines.append("   the pegs are not where they were")
        if len(set(re.findall(r"<line class='base'[^>]* y1='([\d.]+)'", svg))) > 1:
            lines.append("   the pegs' bases are not in one line")
    return lines


if __name__ == "__main__":
    print("\n".join(digest(sys.argv[1])))
