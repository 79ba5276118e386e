"""Headless Chromium, Debian's, driven by Selenium through Debian's ChromeDriver, offline: its own
profile in a folder of the caller's, no traffic of its own (updates, sync, the first run's), its
shared memory in files (a container's /dev/shm is small), and any request that a page makes sent
to a proxy that is not there, so that it fails. The pages' network traffic and console are logged
for the caller to read."""

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

FLAGS = ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--disable-dev-shm-usage", "--proxy-server=127.0.0.1:9", "--window-size=1280,1000")


def start(profile):
    """A browser with its profile in the folder profile."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in FLAGS + (f"--user-data-dir={profile}",):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
