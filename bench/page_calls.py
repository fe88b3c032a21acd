#!/usr/bin/env python3
"""WebGL calls a frame in the page (scripts/build-web.sh), per section of the show: for each
moment the page holds the frame there with &count (index.html?at=T&size=WxH&count), which
wraps every method of the WebGL 2 context and counts the calls of each frame. The held
frame comes after two frames before it, so it is an ordinary one; its count includes the
still's read-back. A measurement, not a test: the native figures come from
gles_calls_bench, built with the other benchmarks.
Usage: page_calls.py PAGE_DIR [--size WxH] [--names] [TIME...]"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from chromium import Chromium  # noqa: E402
from page_test import Server  # noqa: E402

# The show's hand-chosen reference moments, and the sections --bench reports.
MOMENTS = [("lead-in", -1.5), ("opening", 8.4), ("turntable", 20.0), ("character", 30.0),
           ("graffiti-in", 42.9), ("graffiti", 50.0), ("morph", 85.2), ("tower-in", 94.8),
           ("tower", 100.0), ("landing", 123.4), ("credits", 170.5)]
BOUNDS = [-4.0, 0.0, 11.52, 26.88, 42.72, 77.76, 94.56, 122.4, 165.0, 185.0]
KINDS = ["draws", "uniforms", "state", "textures", "buffers", "other"]
LIMIT = 600  # seconds: only ends a page that hangs


def section(time):
    for start, end in zip(BOUNDS, BOUNDS[1:]):
        if start <= time < end:
            return f"{start:g}-{end:g}"
    return f"{BOUNDS[-2]:g}-{BOUNDS[-1]:g}"


def main():
    args = sys.argv[1:]
    if not args:
        print(__doc__, file=sys.stderr)
        return 2
    page = os.path.abspath(args.pop(0))
    size, names, moments = "800x600", False, []
    while args:
        word = args.pop(0)
        if word == "--size":
            size = args.pop(0)
        elif word == "--names":
            names = True
        else:
            moments.append((f"{float(word):g} s", float(word)))
    moments = moments or MOMENTS
    width, height = (int(n) for n in size.split("x"))
    server = Server(page)
    print(f"WebGL calls a frame in the page at {size}: the held frame by kind")
    print(f"{'moment':12} {'time (s)':>8}  {'section':>11} {'total':>6}" +
          "".join(f" {kind:>8}" for kind in KINDS))
    try:
        with Chromium(width, height) as browser:
            for name, time in moments:
                browser.open(server.url(f"?at={time:g}&size={size}&count"), width, height)
                status = browser.wait_for(
                    "(s => s.state == 'held' || s.state == 'failed' || s.state == 'ended' ? s "
                    ": null)(tarvelStatus())", LIMIT, f"the frame at {time:g} s")
                if status["state"] != "held" or not status["calls"]:
                    print(f"page_calls: the frame at {time:g} s: {status['state']} "
                          f"{status.get('error') or ''}", file=sys.stderr)
                    return 1
                held = status["calls"][-1]
                print(f"{name:12} {time:8.3f}  {section(time):>11} {held['total']:6d}" +
                      "".join(f" {held['kinds'][kind]:8d}" for kind in KINDS), flush=True)
                if names:
                    print("    " + ", ".join(f"{n} {c}" for n, c in
                                             sorted(held["names"].items(), key=lambda i: -i[1])))
    finally:
        server.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
