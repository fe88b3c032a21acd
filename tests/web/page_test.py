#!/usr/bin/env python3
"""The browser page in headless Chromium (the page from scripts/build-web.sh):
  - frames: the page's ?at=T&size=800x600 for five moments, two of them where the music
    shapes the morphing model, against the desktop program's --shot T at 800 x 600 rendered
    the same way, PSNR at least 30 dB; each held frame decodes only the music it needs;
  - music: the page decodes the MP3 to the very samples the desktop does (their
    fingerprints, frame count and hash, are equal);
  - start panel and player: the panel comes before any music is decoded; OK starts the show
    with its music: the audio context runs, the music is decoded as it plays, and the music
    heard and the show time, read at one moment, agree within 50 ms; the player's pause
    holds show time and music (the audio context suspends) and play goes on in step; a
    click on the seek track shows the frame the desktop's --shot shows at that time;
  - cache: a second visit reads the data set from the browser's cache, asking the server
    nothing for it;
  - authoring (?log): F8 pauses and plays again; a recorded camera path is downloaded with
    the positions the log shows; a flash list dropped on the page is read again in place,
    the show time kept, and its new flash is in the picture at its time; its skipped row is
    one notice, counted when it comes again;
  - ?loop=A,B plays A to B over and over;
  - a data file left out of the package: the page names it in one notice and the show goes
    on.
Usage: page_test.py PAGE_DIR TARVEL DATA_DIR FRAME_COMPARE MUSIC_DIGEST"""

import base64
import hashlib
import json
import os
import re
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
SEEK_TO = 84.58  # a morph kick: the music shapes the frame
SHOW_START, SHOW_END = -4.0, 185.0  # the seek track's ends
# A black flash over a bright moment of the turntable section, and a row the reader skips.
DROP_AT = 15.0
DROPPED_ROWS = "14.5\t0\t1\t0\t1\t1\t0\nx\t0\t1\t0\t1\t1\t0\n"
SKIPPED = "row skipped (start is not a number: x)"
RECORDED = "vintra/cameras/mine.pos"
LOOP = (10.0, 12.0)
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


def held_frame(browser, server, query, out, digest=None):
    """Opens the page at `query`, waits for the held frame, writes it to `out`; the page's
    status, with the fingerprint of `digest`'s decoded samples when asked."""
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
    browser.close_page()
    return status


def desktop_shot(tarvel, data, at, out, fps=None):
    """The desktop's --shot at `at` at 800 x 600; with `fps`, on that grid of show time."""
    env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
    grid = ["--fps", str(fps)] if fps else []
    subprocess.run([tarvel, "--data", data, "--shot", f"{at:g}", out, "--size", "800x600", *grid],
                   env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   timeout=LOAD_LIMIT)


def check_frames(results, browser, server, tarvel, data, compare, work):
    for name, at in MOMENTS:
        got = os.path.join(work, f"{name.replace(' ', '-')}.png")
        status = held_frame(browser, server, f"?at={at:g}&size=800x600", got)
        if status.get("state") != "held":
            results.check(False, f"{name}: the page did not hold show time {at:g}: {status}")
            continue
        decoded = status.get("musicSeconds")
        results.check(decoded is not None and decoded <= HELD_MUSIC_LIMIT,
                      f"{name}: held with {decoded or 0:.3f} s of the {TRACK_SECONDS:g} s track decoded")
        reference = os.path.join(work, f"{name}.desktop.png")
        desktop_shot(tarvel, data, at, reference)
        compared = subprocess.run([compare, "psnr", got, reference, str(PSNR_LIMIT)],
                                  capture_output=True, text=True)
        results.check(compared.returncode == 0,
                      f"{name} at {at:g} s against the desktop: {compared.stdout.strip()}")


def check_music(results, browser, server, music_digest, data, work):
    desktop = subprocess.run([music_digest, os.path.join(data, MUSIC)], capture_output=True,
                             text=True, timeout=LOAD_LIMIT).stdout.strip()
    status = held_frame(browser, server, "?at=1&size=800x600", os.path.join(work, "music.png"),
                        digest=MUSIC)
    page = status.get("digest")
    results.check(bool(desktop) and page == desktop,
                  f"{MUSIC} decodes to the same samples on the page ({page}) and on the "
                  f"desktop ({desktop}) (frames:hash)")


def start_show(browser, server, query, width=800, record_requests=False):
    """Opens the page, presses OK on its start panel and waits for show time 1; the status
    on the start panel."""
    browser.open(server.url(query), width, 600, record_requests=record_requests)
    ready = browser.wait_for("window.tarvelStatus && tarvelStatus().state == 'ready' && "
                             "tarvelStatus()", LOAD_LIMIT, "the start panel")
    browser.evaluate("document.getElementById('fullscreen').checked = false")
    browser.click("#ok")
    browser.wait_for("(s => ['failed', 'ended'].includes(s.state) || s.showTime > 1)"
                     "(tarvelStatus())", LOAD_LIMIT, "the show to start")
    return ready


def wait_paused(browser, paused, what):
    state = "'paused'" if paused else "'running'"
    return browser.wait_for(f"(s => s.paused == {str(paused).lower()} && s.state == {state} && "
                            "s)(tarvelStatus())", LOAD_LIMIT, what)


def check_held(results, browser, what):
    """The show held: show time, the music heard and the audio clock stand still."""
    first = browser.evaluate("tarvelStatus()")
    time.sleep(1.0)
    later = browser.evaluate("tarvelStatus()")
    still = all(first.get(key) == later.get(key) for key in ("showTime", "musicNow",
                                                               "audioContextTime"))
    results.check(still and later.get("audioState") == "suspended",
                  f"{what} holds show time ({later.get('showTime')}), the music heard "
                  f"({first.get('musicNow')}, then {later.get('musicNow')}) and the audio "
                  f"context ({later.get('audioState')})")
    return later


def check_clocks(results, sample, what):
    show, heard = sample.get("showTime"), sample.get("musicTime")
    agree = show is not None and heard is not None and heard >= 0 and \
        abs(heard - show) <= CLOCKS_LIMIT
    results.check(agree, f"{what}: the music heard ({heard:.3f} s) and the show time "
                  f"({show:.3f} s) agree within {CLOCKS_LIMIT * 1000:.0f} ms"
                  if show is not None and heard is not None
                  else f"{what}: the page reports both clocks: {sample}")


def check_player(results, server, tarvel, data, compare, work):
    with Chromium() as browser:
        ready = start_show(browser, server, "?scale=1", record_requests=True)
        results.check(ready.get("musicSeconds") == 0,
                      f"the start panel waits for no music: {ready.get('musicSeconds')} s decoded")
        # A few seconds of music: the show starts at -4 s and its music at 0.
        status = browser.wait_for(
            "(s => ['failed', 'ended'].includes(s.state) || s.showTime > 3 ? s : null)"
            "(tarvelStatus())", LOAD_LIMIT, "three seconds of the show")
        time.sleep(1.0)
        later = browser.evaluate("tarvelStatus()")
        browser.screenshot(os.path.join(work, "playing.png"))
        results.check(status.get("state") == "running" and later.get("audioState") == "running",
                      f"OK starts the show with its audio context running: {later.get('state')},"
                      f" audio {later.get('audioState')}")
        contexts = (status.get("audioContextTime") or 0, later.get("audioContextTime") or 0)
        results.check(contexts[1] > contexts[0],
                      f"the audio clock runs: {contexts[0]:.3f} s, then {contexts[1]:.3f} s")
        decoded = (status.get("musicSeconds") or 0, later.get("musicSeconds") or 0)
        results.check(0 < decoded[0] <= decoded[1] < TRACK_SECONDS,
                      f"the music is decoded as it plays: {decoded[0]:.2f} s, then "
                      f"{decoded[1]:.2f} s")
        for sample in (status, later):
            check_clocks(results, sample, "playing")

        # The player's pause: music and picture hold together; play goes on in step.
        browser.click("#play")
        wait_paused(browser, True, "the player to pause")
        held = check_held(results, browser, "the player's pause")
        browser.click("#play")
        resumed = browser.wait_for(
            f"(s => s.state == 'running' && s.showTime > {held.get('showTime') or 0} + 1 && s)"
            "(tarvelStatus())", LOAD_LIMIT, "the show to play on")
        results.check(resumed.get("audioState") == "running",
                      f"play runs the audio context again: {resumed.get('audioState')}")
        check_clocks(results, resumed, "after the pause")

        # A click on the seek track, paused: the frame at that time, as the desktop has it.
        browser.click("#play")
        wait_paused(browser, True, "the player to pause")
        browser.click("#track", (SEEK_TO - SHOW_START) / (SHOW_END - SHOW_START))
        seeked = browser.wait_for("(s => Math.abs(s.showTime - %g) < 1 && s)(tarvelStatus())"
                                  % SEEK_TO, LOAD_LIMIT, "the seek")
        at = seeked["showTime"]
        browser.evaluate("['player', 'notices'].forEach(id => "
                         "document.getElementById(id).style.visibility = 'hidden')")
        time.sleep(0.5)
        got = os.path.join(work, "seek.png")
        browser.screenshot(got)
        reference = os.path.join(work, "seek.desktop.png")
        desktop_shot(tarvel, data, at, reference, fps=100)  # a seek lands on hundredths
        compared = subprocess.run([compare, "psnr", got, reference, str(PSNR_LIMIT)],
                                  capture_output=True, text=True)
        results.check(compared.returncode == 0,
                      f"a seek to {at:g} s shows the desktop's frame: {compared.stdout.strip()}")

        # The second visit: the data set from the browser's cache.
        first_visit = [url for url in browser.requests if url.endswith("/tarvel.data")]
        browser.close_page()
        browser.requests.clear()
        browser.open(server.url(), 800, 600, record_requests=True)
        again = browser.wait_for("window.tarvelStatus && (s => (s.dataLoaded || "
                                 "s.state == 'failed') && s)(tarvelStatus())", LOAD_LIMIT,
                                 "the second visit's data")
        second_visit = [url for url in browser.requests if url.endswith("/tarvel.data")]
    results.check(len(first_visit) == 1 and not second_visit and again.get("dataFromCache"),
                  f"a second visit reads the data set from the cache: asked for "
                  f"{len(first_visit)} times, then {len(second_visit)} times")


# The mean brightness (0-255) of the middle of a screenshot, measured in the page.
MEAN_BRIGHTNESS = """new Promise(done => { const image = new Image(); image.onload = () => {
  const c = document.createElement('canvas'); c.width = 200; c.height = 150;
  const g = c.getContext('2d'); g.drawImage(image, %d, %d, 200, 150, 0, 0, 200, 150);
  const p = g.getImageData(0, 0, 200, 150).data; let sum = 0;
  for (let i = 0; i < p.length; i += 4) sum += (p[i] + p[i + 1] + p[i + 2]) / 3;
  done(sum / (p.length / 4)); }; image.src = 'data:image/png;base64,%s'; })"""


def middle_brightness(browser, path):
    with open(path, "rb") as file:
        data = base64.b64encode(file.read()).decode()
    box = browser.evaluate("(r => [r.x + r.width / 2 - 100, r.y + r.height / 2 - 75])"
                           "(document.getElementById('canvas').getBoundingClientRect())")
    return browser.evaluate(MEAN_BRIGHTNESS % (box[0], box[1], data))


def drop_flash_list(browser, text):
    browser.evaluate(
        "(text => { const t = new DataTransfer(); t.items.add(new File([text], 'flash.txt'));"
        " document.getElementById('canvas').dispatchEvent(new DragEvent('drop', "
        f"{{dataTransfer: t, bubbles: true, cancelable: true}})); }})({json.dumps(text)})")


def skipped_notices(browser):
    return browser.evaluate(
        f"[...document.querySelectorAll('#notices li')].map(e => e.textContent)"
        f".filter(t => t.includes({json.dumps(SKIPPED)}))")


def check_authoring(results, server, data, work):
    downloads = os.path.join(work, "downloads")
    os.makedirs(downloads)
    with Chromium(1000, 600) as browser:
        browser.allow_downloads(downloads)
        start_show(browser, server, "?log&scale=1", width=1000)
        browser.key(0x77, "F8")
        wait_paused(browser, True, "F8 to pause")
        held = check_held(results, browser, "F8 with ?log")
        browser.key(0x77, "F8")
        browser.wait_for(f"(s => s.state == 'running' && s.showTime > {held.get('showTime')} + 0.5"
                         " && s)(tarvelStatus())", LOAD_LIMIT, "F8 to play again")
        results.check(True, "F8 again plays on")

        # Enter opens a recording, C writes a position, Enter closes it: a download.
        browser.prompt_answers.append(RECORDED)
        browser.key(0x0D, "Enter")
        browser.wait_for("tarvelStatus().downloads.length", LOAD_LIMIT, "the recording to open")
        for _ in range(3):
            browser.key(0x57, "w", "KeyW")
            browser.key(0x43, "c", "KeyC")
        browser.key(0x0D, "Enter")
        path = os.path.join(downloads, os.path.basename(RECORDED))
        end = time.monotonic() + LOAD_LIMIT
        while not os.path.exists(path) and time.monotonic() < end:
            browser.evaluate("0")  # answers whatever the page asks meanwhile
            time.sleep(0.25)
        got = open(path).read().splitlines() if os.path.exists(path) else None
        log = browser.evaluate("document.getElementById('log').textContent")
        logged = [line.replace(",", " ") for line in log.splitlines()
                  if re.fullmatch(r"-?\d+\.\d\d(,-?\d+\.\d\d){8}", line)]
        results.check(got is not None and len(got) == 3 and got == logged,
                      f"the recorded camera path is downloaded with the positions the log shows:"
                      f" {got} against {logged}")

        # A flash list dropped, paused at a bright moment: read again in place, its new black
        # flash in the frame, its skipped row one notice.
        browser.key(0x77, "F8")
        wait_paused(browser, True, "F8 to pause")
        browser.evaluate(f"Player.seek({DROP_AT})")
        browser.wait_for(f"tarvelStatus().showTime == {DROP_AT}", LOAD_LIMIT, "the seek")
        before = os.path.join(work, "before-drop.png")
        browser.screenshot(before)
        with open(os.path.join(data, "vintra", "flash", "flash.txt")) as file:
            flash_list = file.read() + DROPPED_ROWS
        frames = browser.evaluate("tarvelStatus().frames")
        drop_flash_list(browser, flash_list)
        after = browser.wait_for(f"(s => s.frames > {frames} + 1 && s)(tarvelStatus())",
                                 LOAD_LIMIT, "the dropped list to be read")
        shot = os.path.join(work, "after-drop.png")
        browser.screenshot(shot)
        brightness = (middle_brightness(browser, before), middle_brightness(browser, shot))
        rows = browser.evaluate("JSON.parse(Module.UTF8ToString(Module._tarvel_schedule()))"
                                ".rows.filter(r => r[4].startsWith('flash') && r[0] == 14.5)")
        results.check(after.get("showTime") == DROP_AT and after.get("paused"),
                      f"the dropped list is read in place: show time {after.get('showTime')}")
        results.check(bool(rows) and brightness[0] > 150 and brightness[1] < 40,
                      f"its added flash is in the schedule ({rows}) and the frame at "
                      f"{DROP_AT:g} s (brightness {brightness[0]:.0f}, then {brightness[1]:.0f})")
        first = skipped_notices(browser)
        drop_flash_list(browser, flash_list)
        browser.wait_for("document.querySelector('#notices .times') && "
                         "document.querySelector('#notices .times').textContent", LOAD_LIMIT,
                         "the second drop's notice")
        second = skipped_notices(browser)
        log = browser.evaluate("document.getElementById('log').textContent")
        results.check(len(first) == 1 and len(second) == 1 and second[0].endswith("\u00d72") and
                      log.count(SKIPPED) == 2,
                      f"the skipped row is one notice, counted when it comes again ({first}, "
                      f"then {second}), and in the log each time")
        browser.screenshot(os.path.join(work, "authoring.png"))


def check_loop(results, server):
    with Chromium() as browser:
        start_show(browser, server, f"?loop={LOOP[0]:g},{LOOP[1]:g}")
        times = []
        end = time.monotonic() + LOAD_LIMIT
        while time.monotonic() < end and sum(b < a for a, b in zip(times, times[1:])) < 2:
            times.append(browser.evaluate("tarvelStatus().showTime"))
            time.sleep(0.1)
    wraps = sum(b < a for a, b in zip(times, times[1:]))
    inside = all(LOOP[0] <= t <= LOOP[1] for t in times)
    results.check(wraps >= 2 and inside,
                  f"?loop={LOOP[0]:g},{LOOP[1]:g} wraps ({wraps} times) and stays inside: "
                  f"{min(times):.2f} to {max(times):.2f} s")


def package_without(page, data, left_out, directory):
    """The page with a data package that lacks one file."""
    for name in os.listdir(page):
        if name not in ("tarvel.data", "tarvel-data.js", "tarvel-data.json"):
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
    package = os.path.join(directory, "tarvel.data")
    with open(package, "rb") as file:
        version = hashlib.sha256(file.read()).hexdigest()[:16]
    with open(os.path.join(directory, "tarvel-data.json"), "w") as file:
        json.dump({"file": "tarvel.data", "bytes": os.path.getsize(package), "version": version},
                  file)


def check_missing_file(results, page, data, work):
    directory = os.path.join(work, "missing")
    os.makedirs(directory)
    package_without(page, data, LEFT_OUT, directory)
    server = Server(directory)
    try:
        with Chromium() as browser:
            browser.open(server.url("?at=2&size=800x600"), 800, 600)
            status = browser.wait_for(
                "window.tarvelStatus && ['held', 'failed'].includes(tarvelStatus().state)"
                " && tarvelStatus()", LOAD_LIMIT, "the page to hold its frame")
            shown = browser.evaluate(
                "[...document.querySelectorAll('.notice')].map(e => e.textContent)"
                f".filter(t => t.includes({json.dumps(os.path.basename(LEFT_OUT))}))")
            browser.screenshot(os.path.join(work, "notices.png"))
    finally:
        server.stop()
    named = [line for line in status.get("notices", []) if os.path.basename(LEFT_OUT) in line]
    results.check(bool(named) and len(shown) == 1,
                  f"the page names the file left out, in one notice: {shown or status}")
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
        with Chromium() as browser:
            check_frames(results, browser, server, tarvel, data, compare, work)
            check_music(results, browser, server, music_digest, data, work)
        check_player(results, server, tarvel, data, compare, work)
        check_authoring(results, server, data, work)
        check_loop(results, server)
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
