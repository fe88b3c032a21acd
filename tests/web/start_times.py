#!/usr/bin/env python3
"""How long the page takes in headless Chromium, from opening it to the start panel, from
opening ?at=T&size=800x600 to its held still and from opening ?at=T (a link to a moment) to
the show paused there, and how much music each had decoded by then. A measurement, not a
test. Usage: start_times.py PAGE_DIR [T ...] (default T: 30 85)"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from chromium import Chromium  # noqa: E402
from page_test import Server  # noqa: E402


def until(browser, expression, limit=600):
    """Seconds until `expression` is truthy, polled every 20 ms, and its value."""
    began = time.monotonic()
    while time.monotonic() - began < limit:
        value = browser.evaluate(expression)
        if value:
            return time.monotonic() - began, value
        time.sleep(0.02)
    raise TimeoutError(expression)


def measure(server, query, state):
    with Chromium() as browser:
        browser.open(server.url(query), 800, 600)
        seconds, status = until(
            browser, f"window.tarvelStatus && ['{state}', 'failed'].includes(tarvelStatus().state)"
            " && (tarvelStatus().state != 'paused' || tarvelStatus().frames > 0) && tarvelStatus()")
    decoded = status.get("musicSeconds")
    heard = f", {decoded:.2f} s of music decoded" if decoded is not None else ""
    print(f"{query or 'the page'}: {status['state']} after {seconds:.2f} s{heard}", flush=True)


def main():
    page = os.path.abspath(sys.argv[1])
    moments = sys.argv[2:] or ["30", "85"]
    server = Server(page)
    try:
        measure(server, "", "ready")
        for moment in moments:
            measure(server, f"?at={moment}&size=800x600", "held")
            measure(server, f"?at={moment}", "paused")
    finally:
        server.stop()


if __name__ == "__main__":
    main()
