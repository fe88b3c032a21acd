#!/usr/bin/env python3
"""The browser page in headless Chromium (the page from scripts/build-web.sh):
  - frames: the page's ?at=T&size=800x600 for five moments, two of them where the music
    shapes the morphing model, against the desktop program's --shot T at 800 x 600 rendered
    the same way, PSNR at least 30 dB; each held frame decodes only the music it needs;
  - music: the page decodes the MP3 to the very samples the desktop does (their
    fingerprints, frame count and hash, are equal);
  - start panel: shown before any music is decoded; OK starts the show with its music: the
    audio context runs, the music is decoded as it plays, and the music heard and the show
    time, read at one moment, agree within 50 ms;
  - a data file left out of the package: the page names it and the show goes on.
Usage: page_test.py PAGE_DIR TARVEL DATA_DIR FRAME_COMPARE MUSIC_DIGEST"""

import base64
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from chromium import Chromium, PageError  # noqa: E402

# The morph's two moments are a tenth of a second after kicks: its scope then holds the
# kick's attack, where samples a few milliseconds apart give another swelling.
MOMENTS = [("opening", 8.0), ("turntable", 20.0), ("morph kick", 84.58), ("morph", 88.40),
           ("tower", 100.0)]
MUSIC = "vintra/Ostrel.mp3"
TRACK_SECONDS = 185.0
# What a held frame may decode: the morph reads one block of 1024 frames (23 ms).
HELD_MUSIC_LIMIT = 1.0
PSNR_LIMIT = 30.0
CLOCKS_LIMIT = 0.050  # seconds between the music heard and the show time
LEFT_OUT = "vintra/noise2.jpg"
PACKAGER = "/usr/share/emscripten/tools/file_packager.py"
# Limits that only end a page that hangs; no check depends on how fast anything is.
LOAD_LIMIT = 600


class Server:
    """python3 -m http.server on a free loopback port, for one directory."""

    def __init__(self, directory):
        probe = socket.socket()
        probe.bind(("127.0.0.1", 0))
        self.port = probe.getsockname()[1]
        probe.close()
        self.process = subprocess.Popen(
            [sys.executable, "-m", "http.server", str(self.port), "--bind", "127.0.0.1",
             "--directory", directory], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            try:
                socket.create_connection(("127.0.0.1", self.port), timeout=1).close()
                return
            except OSError:
                time.sleep(0.1)
        raise PageError("the test's web server did not start")

    def url(self, query=""):
        return f"http://127.0.0.1:{self.port}/index.html{query}"

    def stop(self):
        self.process.terminate()
        self.process.wait()


class Results:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, ok, text):
        print(("ok: " if ok else "FAIL: ") + text, flush=True)
        if ok:
            self.passed += 1
        else:
            self.failed += 1


def held_frame(server, query, out, digest=None):
    """Opens the page at `query`, waits for the held frame, writes it to `out`; the page's
    status, with the fingerprint of `digest`'s decoded samples when asked."""
    with Chromium() as browser:
        browser.open(server.url(query), 800, 600)
        status = browser.wait_for(
            "window.tarvelStatus && ['held', 'ended', 'failed'].includes(tarvelStatus().state)"
            " && tarvelStatus()", LOAD_LIMIT, f"the page at {query} to hold its frame")
        frame = browser.evaluate("tarvelHeldFrame()")
        if frame:
            with open(out, "wb") as file:
                file.write(base64.b64decode(frame))
        browser.screenshot(out.replace(".png", ".page.png"))
        if digest:
            status["digest"] = browser.evaluate(f"tarvelMusicDigest('/{digest}')")
        return status


def check_frames(results, server, tarvel, data, compare, work):
    for name, at in MOMENTS:
        got = os.path.join(work, f"{name.replace(' ', '-')}.png")
        status = held_frame(server, f"?at={at:g}&size=800x600", got)
        if status.get("state") != "held":
            results.check(False, f"{name}: the page did not hold show time {at:g}: {status}")
            continue
        decoded = status.get("musicSeconds")
        results.check(decoded is not None and decoded <= HELD_MUSIC_LIMIT,
                      f"{name}: held with {decoded or 0:.3f} s of the {TRACK_SECONDS:g} s track decoded")
        reference = os.path.join(work, f"{name}.desktop.png")
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        subprocess.run([tarvel, "--data", data, "--shot", f"{at:g}", reference, "--size",
                        "800x600"], env=env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=LOAD_LIMIT)
        compared = subprocess.run([compare, "psnr", got, reference, str(PSNR_LIMIT)],
                                  capture_output=True, text=True)
        results.check(compared.returncode == 0,
                      f"{name} at {at:g} s against the desktop: {compared.stdout.strip()}")


def check_music(results, server, music_digest, data, work):
    desktop = subprocess.run([music_digest, os.path.join(data, MUSIC)], capture_output=True,
                             text=True, timeout=LOAD_LIMIT).stdout.strip()
    status = held_frame(server, "?at=1", os.path.join(work, "music.png"), digest=MUSIC)
    page = status.get("digest")
    results.check(bool(desktop) and page == desktop,
                  f"{MUSIC} decodes to the same samples on the page ({page}) and on the "
                  f"desktop ({desktop}) (frames:hash)")


def check_start_panel(results, server, work):
    with Chromium() as browser:
        browser.open(server.url(), 800, 600)
        ready = browser.wait_for("window.tarvelStatus && tarvelStatus().state == 'ready' && "
                                 "tarvelStatus()", LOAD_LIMIT, "the start panel")
        results.check(ready.get("musicSeconds") == 0,
                      f"the start panel waits for no music: {ready.get('musicSeconds')} s decoded")
        browser.evaluate("document.getElementById('fullscreen').checked = false")
        browser.click("#ok")
        # A few seconds of music: the show starts at -4 s and its music at 0.
        status = browser.wait_for(
            "(s => ['failed', 'ended'].includes(s.state) || s.showTime > 3 ? s : null)"
            "(tarvelStatus())", LOAD_LIMIT, "three seconds of the show")
        time.sleep(1.0)
        later = browser.evaluate("tarvelStatus()")
        browser.screenshot(os.path.join(work, "playing.png"))
    results.check(status.get("state") == "running" and later.get("audioState") == "running",
                  f"OK starts the show with its audio context running: {later.get('state')}, "
                  f"audio {later.get('audioState')}")
    contexts = (status.get("audioContextTime") or 0, later.get("audioContextTime") or 0)
    results.check(contexts[1] > contexts[0],
                  f"the audio clock runs: {contexts[0]:.3f} s, then {contexts[1]:.3f} s")
    decoded = (status.get("musicSeconds") or 0, later.get("musicSeconds") or 0)
    results.check(0 < decoded[0] <= decoded[1] < TRACK_SECONDS,
                  f"the music is decoded as it plays: {decoded[0]:.2f} s, then {decoded[1]:.2f} s")
    for sample in (status, later):
        show, heard = sample.get("showTime"), sample.get("musicTime")
        agree = show is not None and heard is not None and heard >= 0 and \
            abs(heard - show) <= CLOCKS_LIMIT
        results.check(agree, f"the music heard ({heard:.3f} s) and the show time ({show:.3f} s)"
                      f" agree within {CLOCKS_LIMIT * 1000:.0f} ms" if show is not None and
                      heard is not None else f"the page reports both clocks: {sample}")


def package_without(page, data, left_out, directory):
    """The page with a data package that lacks one file."""
    for name in os.listdir(page):
        if name not in ("tarvel.data", "tarvel-data.js"):
            os.symlink(os.path.join(page, name), os.path.join(directory, name))
    copy = os.path.join(directory, "data")
    shutil.copytree(os.path.join(data, "vintra"), os.path.join(copy, "vintra"),
                    ignore=shutil.ignore_patterns(".complete"))
    os.remove(os.path.join(copy, left_out))
    # Without the font's atlas too: the page then shows no text, and says so only in its log.
    subprocess.run([sys.executable, PACKAGER, os.path.join(directory, "tarvel.data"),
                    "--preload", f"{copy}/vintra@/vintra",
                    f"--js-output={os.path.join(directory, 'tarvel-data.js')}"],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, cwd=directory)


def check_missing_file(results, page, data, work):
    directory = os.path.join(work, "missing")
    os.makedirs(directory)
    package_without(page, data, LEFT_OUT, directory)
    server = Server(directory)
    try:
        status = held_frame(server, "?at=2", os.path.join(work, "missing.png"))
    finally:
        server.stop()
    named = [line for line in status.get("notices", []) if os.path.basename(LEFT_OUT) in line]
    results.check(bool(named), f"the page names the file left out: {named or status}")
    results.check(status.get("state") == "held",
                  f"the show goes on without it (held at 2 s): {status.get('state')}")


def main():
    page, tarvel, data, compare, music_digest = (os.path.abspath(path) for path in sys.argv[1:6])
    if not os.path.isfile(os.path.join(page, "tarvel.data")):
        print(f"no page at {page}: build it with scripts/build-web.sh", file=sys.stderr)
        return 1
    results = Results()
    work = tempfile.mkdtemp(prefix="tarvel-web-")
    server = Server(page)
    try:
        check_frames(results, server, tarvel, data, compare, work)
        check_music(results, server, music_digest, data, work)
        check_start_panel(results, server, work)
        check_missing_file(results, page, data, work)
    except (PageError, subprocess.SubprocessError) as error:
        results.check(False, str(error))
    finally:
        server.stop()
    print(f"{results.passed} passed, {results.failed} failed")
    if results.failed == 0:
        shutil.rmtree(work, ignore_errors=True)
    else:
        print(f"pictures and pages kept in {work}")
    return 0 if results.failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
