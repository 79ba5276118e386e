"""animate.py FILM.html PICTURE.png: a film of filma as an animated PNG, which a repository's web
page shows as it shows any picture: each frame, its drawing with its caption and what changed,
as headless Chromium shows it (chromium.py), for a second, the last for three, again and again."""

import struct
import sys
import tempfile
import zlib
from pathlib import Path

import chromium
from selenium.webdriver.common.by import By

SHOWN = 1000  # milliseconds a frame is shown
LAST = 3000  # and the last one


def chunks(png):
    """The chunks of a PNG file, as (kind, body) pairs."""
    at = 8
    while at < len(png):
        (length,) = struct.unpack(">I", png[at:at + 4])
        yield png[at + 4:at + 8], png[at + 8:at + 8 + length]
        at += 12 + length


def chunk(kind, body):
    """A PNG chunk: its length, kind, body and checksum."""
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def animated(pngs):
    """One animated PNG of the PNG files pngs, all of one size and kind, looping: the first's
    chunks before its image data, then each frame's control chunk and image data."""
    first = list(chunks(pngs[0]))
    header = first[0][1]
    width, height = struct.unpack(">II", header[:8])
    parts = [b"\x89PNG\r\n\x1a\n", chunk(b"IHDR", header),
             chunk(b"acTL", struct.pack(">II", len(pngs), 0))]
    for kind, body in first[1:]:
        if kind == b"IDAT":
            break
        parts.append(chunk(kind, body))
    sequence = 0
    for index, png in enumerate(pngs):
        found = list(chunks(png))
        if found[0] != (b"IHDR", header):
            raise ValueError(f"frame {index + 1} differs from the first in size or kind")
        delay = LAST if index == len(pngs) - 1 else SHOWN
        parts.append(chunk(b"fcTL", struct.pack(">IIIIIHHBB", sequence, width, height, 0, 0,
                                                delay, 1000, 0, 0)))
        sequence += 1
        for kind, body in found:
            if kind == b"IDAT" and index == 0:
                parts.append(chunk(kind, body))
            elif kind == b"IDAT":
                parts.append(chunk(b"fdAT", struct.pack(">I", sequence) + body))
                sequence += 1
    return b"".join(parts + [chunk(b"IEND", b"")])


def main():
    film, picture = Path(sys.argv[1]).resolve(), Path(sys.argv[2])
    with tempfile.TemporaryDirectory() as profile:
        browser = chromium.start(profile)
        try:
            browser.get(film.as_uri())
            # Every frame as high as the highest, its caption's lines included.
            count = browser.execute_script(
                "const still = document.getElementById('still'); let high = 0;"
                "for (let i = 0; i < frames.length; i++) {"
                "    show(i); high = Math.max(high, still.offsetHeight); }"
                "still.style.height = high + 'px'; return frames.length;")
            pngs = []
            for index in range(count):
                browser.execute_script("show(arguments[0])", index)
                pngs.append(browser.find_element(By.ID, "still").screenshot_as_png)
        finally:
            browser.quit()
    picture.write_bytes(animated(pngs))
    print(f"{picture}: {count} frames, {picture.stat().st_size} bytes")


if __name__ == "__main__":
    main()
