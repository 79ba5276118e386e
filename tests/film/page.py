"""page.py FILM.html [FOLDER]: a film of filma in headless Chromium, offline (tools/chromium.py):
the frame's number out of the total, its caption and its drawing, after each control (the buttons,
the arrow keys, Home and End, the slider); the drawing the same size in every frame; play to the
last frame, where it pauses; pause; and no request made but for the page itself, no error in its
console. With FOLDER, a screenshot of the first, middle and last frames there."""

import html
import json
import pathlib
import re
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tools"))
import chromium  # noqa: E402
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402
from selenium.webdriver.support.ui import Select, WebDriverWait  # noqa: E402

film = pathlib.Path(sys.argv[1]).resolve()
frames = json.loads(re.search(r'<script type="application/json" id="film">(.*?)</script>',
                              film.read_text(encoding="utf-8"), re.S).group(1))["frames"]
count = len(frames)
failures = []


def check(fact, got, wanted):
    if got != wanted:
        failures.append(f"{fact}: {got!r}, not {wanted!r}")


with tempfile.TemporaryDirectory() as profile:
    browser = chromium.start(profile)
    try:
        browser.get(film.as_uri())
        text = lambda name: browser.find_element(By.ID, name).text  # noqa: E731
        size = browser.find_element(By.ID, "drawing").size
        controls = [("opened", None, 1), ("next", None, 2), ("right arrow", Keys.ARROW_RIGHT, 3),
                    ("left arrow", Keys.ARROW_LEFT, 2), ("last", None, count),
                    ("previous", None, count - 1), ("Home", Keys.HOME, 1), ("End", Keys.END, count),
                    ("first", None, 1), ("slider", 4, 4)]
        for control, key, wanted in controls:
            if control == "slider":
                browser.execute_script("const slider = document.getElementById('slider'); "
                                       "slider.value = arguments[0]; "
                                       "slider.dispatchEvent(new Event('input'));", key)
            elif key is not None:
                ActionChains(browser).send_keys(key).perform()
            elif control != "opened":
                browser.find_element(By.ID, control).click()
            frame = frames[wanted - 1]
            check(f"{control}: the number", text("number"), f"frame {wanted} of {count}")
            check(f"{control}: the slider", browser.find_element(By.ID, "slider").get_attribute("value"),
                  str(wanted))
            check(f"{control}: the caption", text("caption"), frame["caption"])
            texts = browser.execute_script("return Array.from(document.querySelectorAll("
                                           "'#frame text'), text => text.textContent)")
            words = re.findall(r"<text[^>]*>(.*?)</text>", frame["svg"])
            check(f"{control}: the drawing's words", texts, [html.unescape(word) for word in words])
            check(f"{control}: the drawing's size", browser.find_element(By.ID, "drawing").size, size)
        Select(browser.find_element(By.ID, "speed")).select_by_value("30")
        browser.find_element(By.ID, "play").click()
        WebDriverWait(browser, 20).until(lambda _: text("number") == f"frame {count} of {count}")
        check("played to the end: the button", text("play"), "play")
        Select(browser.find_element(By.ID, "speed")).select_by_value("5")
        browser.find_element(By.ID, "play").click()
        WebDriverWait(browser, 20, 0.05).until(lambda _: text("number") != f"frame 1 of {count}")
        browser.find_element(By.ID, "play").click()
        paused = text("number")
        time.sleep(0.5)  # two and a half frames' time at 5 frames a second
        check("paused: the number half a second later", text("number"), paused)
        # The film's request for itself is in the log, and no other request from it.
        log = [json.loads(entry["message"])["message"] for entry in browser.get_log("performance")]
        requests = [message["params"]["request"]["url"] for message in log
                    if message["method"] == "Network.requestWillBeSent"
                    and message["params"].get("documentURL") == film.as_uri()]
        check("the requests of the film", requests, [film.as_uri()])
        for entry in browser.get_log("browser"):
            failures.append(f"the console: {entry['message']}")
        if len(sys.argv) > 2:
            for wanted in sorted({1, (count + 1) // 2, count}):
                browser.execute_script("show(arguments[0])", wanted - 1)
                browser.find_element(By.ID, "still").screenshot(f"{sys.argv[2]}/{film.stem}-{wanted}.png")
    finally:
        browser.quit()
print("\n".join(failures) or f"{film.name}: {count} frames, each control, play, pause, offline")
sys.exit(1 if failures else 0)
