#!/usr/bin/env python3
"""The frame rate the page reaches in headless Chromium (SwiftShader's WebGL 2): starts the
show from its start panel and counts the frames drawn over a stretch of show time, at the
device's pixels (SCALE 1, the default) or at the share the page chooses (auto).
A measurement, not a test.
Usage: frame_rate.py PAGE_DIR [FROM_SECONDS TO_SECONDS] [WxH] [SCALE]"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from chromium import Chromium  # noqa: E402
from page_test import Server  # noqa: E402


def main():
    page = os.path.abspath(sys.argv[1])
    start = float(sys.argv[2]) if len(sys.argv) > 2 else 0.0
    end = float(sys.argv[3]) if len(sys.argv) > 3 else 20.0
    size = sys.argv[4] if len(sys.argv) > 4 else "800x600"
    width, height = (int(n) for n in size.split("x"))
    scale = sys.argv[5] if len(sys.argv) > 5 else "1"
    server = Server(page)
    try:
        with Chromium(width, height) as browser:
            browser.open(server.url(f"?scale={scale}"), width, height)
            browser.wait_for("window.tarvelStatus && tarvelStatus().state == 'ready'", 600,
                             "the start panel")
            browser.evaluate("document.getElementById('fullscreen').checked = false")
            browser.click("#ok")
            reached = "(s => s.frames > 0 && s.showTime >= {} ? s : null)(tarvelStatus())"
            first = browser.wait_for(reached.format(start), 600, f"show time {start:g}")
            began = time.monotonic()
            last = browser.wait_for(reached.format(end), 600, f"show time {end:g}")
            seconds = time.monotonic() - began
    finally:
        server.stop()
    frames = last["frames"] - first["frames"]
    print(f"{frames} frames from show time {first['showTime']:.2f} to {last['showTime']:.2f} s "
          f"in {seconds:.1f} s at {width}x{height}, drawn at {last['scale']:g} of its pixels: "
          f"{frames / seconds:.1f} frames a second")


if __name__ == "__main__":
    main()
