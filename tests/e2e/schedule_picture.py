#!/usr/bin/env python3
"""The schedule against the picture: for a sample of `tarvel --schedule` rows in every lane,
the entry taken out of a copy of the data set changes the frame at the middle of a stretch
the schedule calls drawn, and leaves the frame at the middle of a hidden stretch as it was.

A list entry is taken out by turning its row into a comment (its repeats go with it); what
the show places itself, by taking away the files it draws from (a model that does not load
leaves its part empty, a missing picture is drawn untextured: either way the frame changes
where the layer is seen). Rows whose removal would shift other rows' random values (a 666
column, unless no later row of its list has one) are not sampled. Entries taken out together share a copy and one tarvel run, as long
as none of them is seen where another one's frame is taken.

Usage: schedule_picture.py TARVEL DATA_DIR (the directory that holds vintra/).
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from schedule_rows import parse  # noqa: E402

SHOW_START, SHOW_END = -4.0, 185.0
FPS = 60  # the stills' fixed step: a time on its grid is a frame of its own
GAP = 2.0 / FPS  # a frame this close to a stretch counts as inside it

# The files the show's own layers draw from, by the schedule's name for them.
COMPOSITION_FILES = {
    "turntable": ["turnbody.3ds", "turnunderdisc.3ds", "turndisc.3ds"],
    "morph": ["spnormal.3ds", "spinne.3ds"],
    "tower scene": ["tower2.3ds"],
}


def env():
    environment = dict(os.environ)
    environment.pop("DISPLAY", None)
    return environment


def find(root, relative):
    """`relative` under root, each name matched ignoring case as the show does."""
    path = root
    for part in relative.split("/"):
        names = {name.lower(): name for name in os.listdir(path)}
        if part.lower() not in names:
            return None
        path = os.path.join(path, names[part.lower()])
    return path


def frames_of(label):
    """"character nick/nick1-24.jpg" -> the 24 pictures, under vintra/."""
    match = re.search(r"(\S+/)?(\S+?)1-(\d+)\.jpg$", label)
    if not match:
        return None
    return [f"{match[1] or ''}{match[2]}{n}.jpg" for n in range(1, int(match[3]) + 1)]


class Removal:
    """One thing taken out of the data set: a list row, or a layer's files."""

    def __init__(self, key, rows):
        self.key = key
        self.rows = rows  # every stretch of every entry it takes out
        self.line = None  # (list file, line number) for a row
        self.files = []  # for a layer of the show's own
        self.samples = []  # (time, row) frames to compare

    def footprint(self, cameras):
        """Where taking it out may change the frame: its drawn stretches, and for a camera
        cut the stretch after it where its camera is held until the next cut."""
        spans = [(r.start, r.end) for r in self.rows if r.seen == "drawn"]
        if self.rows[0].lane == "camera":
            for row in self.rows:
                later = [start for start in cameras if start > row.entry_end]
                spans.append((row.entry_end, min(later) if later else SHOW_END))
        return spans


def seen_at(spans, t):
    return any(start - GAP <= t <= end + GAP for start, end in spans)


def on_grid(row):
    """A frame time on the step's grid near the middle of the row, inside it."""
    t = round((row.start + row.end) / 2 * FPS) / FPS
    inside = row.start + GAP <= t <= row.end - GAP
    return t if inside and SHOW_START <= t <= SHOW_END - 1 else None


def removals_of(rows, data):
    removals = {}
    for row in rows:
        if row.seen == "window":
            continue
        key = row.source if row.list_file else f"{row.lane}: {row.label}"
        removals.setdefault(key, Removal(key, [])).rows.append(row)
    usable = []
    for removal in removals.values():
        first = removal.rows[0]
        if first.list_file:
            path = find(data, first.list_file)
            with open(path, encoding="utf-8", errors="replace") as f:
                lines = f.read().splitlines()
            # A 666 column draws from the list's random sequence: the rows after it that draw
            # too would move without it.
            draws = [any(float_or_none(column) == 666 for column in line.split())
                     for line in lines]
            if draws[first.list_line - 1] and any(draws[first.list_line:]):
                continue
            removal.line = (first.list_file, first.list_line)
        else:
            names = COMPOSITION_FILES.get(first.label) or frames_of(first.label)
            if names is None and first.label.endswith(".3ds"):
                names = [first.label]
            removal.files = [f"vintra/{name}" for name in names or []]
            if not removal.files or not all(find(data, name) for name in removal.files):
                sys.exit(f"FAIL: no files known for the show's own layer \"{first.label}\"")
        usable.append(removal)
    return usable


def float_or_none(text):
    try:
        return float(text)
    except ValueError:
        return None


def sample(removals, rows):
    """Per lane: a drawn stretch inside a frame-order window, one outside them, and a hidden
    stretch for each reason, each the first that can be taken."""
    windows = [(r.start, r.end) for r in rows if r.seen == "window" and r.start > SHOW_START]
    inside = lambda t: any(start < t < end for start, end in windows)  # noqa: E731
    cameras = [r.entry_start for r in rows if r.lane == "camera"]
    wanted = {}
    for removal in removals:
        own = removal.footprint(cameras)
        for row in sorted(removal.rows, key=lambda r: r.start):
            t = on_grid(row)
            if t is None or (row.seen == "hidden" and seen_at(own, t)):
                continue
            if row.seen == "hidden":
                kind = row.notes.split("not drawn: ")[-1]  # one for each reason
            else:
                kind = "inside" if inside(t) else "outside"
            wanted.setdefault((row.lane, kind), []).append((row.start, t, row, removal))
    for choices in wanted.values():
        _, t, row, removal = min(choices, key=lambda choice: choice[0])
        removal.samples.append((t, row))
    return [removal for removal in removals if removal.samples]


def group(removals, cameras):
    """Removals that can share a copy: none seen where another one's frame is taken."""
    groups = []
    for removal in removals:
        mine = removal.footprint(cameras)
        for members in groups:
            if all(not any(seen_at(other.footprint(cameras), t) for t, _ in removal.samples)
                   and not any(seen_at(mine, t) for t, _ in other.samples)
                   for other in members):
                members.append(removal)
                break
        else:
            groups.append([removal])
    return groups


def copy_without(data, target, members):
    """The data set under target/vintra, linked file by file, without what members take out."""
    dropped = {os.path.normpath(find(data, f) or "") for m in members for f in m.files}
    edits = {}
    for member in members:
        if member.line:
            edits.setdefault(os.path.normpath(find(data, member.line[0])), []).append(
                member.line[1])
    source = os.path.join(data, "vintra")
    for folder, _, names in os.walk(source):
        out = os.path.join(target, "vintra", os.path.relpath(folder, source))
        os.makedirs(out, exist_ok=True)
        for name in names:
            path = os.path.normpath(os.path.join(folder, name))
            if path in dropped:
                continue
            if path in edits:
                with open(path, encoding="utf-8", errors="surrogateescape") as f:
                    lines = f.read().split("\n")
                for number in edits[path]:
                    lines[number - 1] = "# taken out by the schedule test"
                with open(os.path.join(out, name), "w", encoding="utf-8",
                          errors="surrogateescape") as f:
                    f.write("\n".join(lines))
            else:
                os.symlink(path, os.path.join(out, name))


def render(tarvel, directory, times, out):
    """One run, one still per time, named by the time's index."""
    arguments = [tarvel]
    for t in sorted(times):
        arguments += ["--shot", repr(t), os.path.join(out, f"{times.index(t)}.png")]
    result = subprocess.run(arguments + ["--fps", str(FPS)], cwd=directory, env=env(),
                            capture_output=True, text=True, timeout=600)
    if result.returncode != 0:
        sys.exit(f"FAIL: the stills in {directory} failed: {result.stderr[-2000:]}")


def pixels(file):
    """The frame's RGB bytes, decoded by ffmpeg."""
    result = subprocess.run(["ffmpeg", "-loglevel", "error", "-i", file, "-f", "rawvideo",
                             "-pix_fmt", "rgb24", "-"], capture_output=True, timeout=60)
    if result.returncode != 0:
        sys.exit(f"FAIL: cannot read {file}: {result.stderr.decode(errors='replace')}")
    return result.stdout


def changed_pixels(a, b):
    with open(a, "rb") as f, open(b, "rb") as g:
        if f.read() == g.read():
            return 0
    first, second = pixels(a), pixels(b)
    if len(first) != len(second):
        return max(len(first), len(second)) // 3
    return sum(first[i:i + 3] != second[i:i + 3] for i in range(0, len(first), 3))


def main(tarvel, data):
    tarvel, data = os.path.abspath(tarvel), os.path.abspath(data)
    work = tempfile.mkdtemp(prefix="tarvel-schedule-picture-")
    try:
        os.symlink(os.path.join(data, "vintra"), os.path.join(work, "vintra"))
        listing = subprocess.run([tarvel, "--schedule"], cwd=work, env=env(), capture_output=True,
                                 text=True, timeout=300)
        if listing.returncode != 0:
            sys.exit(f"FAIL: --schedule failed: {listing.stderr}")
        rows = parse(listing.stdout)
        cameras = [r.entry_start for r in rows if r.lane == "camera"]
        removals = sample(removals_of(rows, data), rows)
        lanes = {r.lane for r in rows if r.seen != "window"}
        missing = lanes - {row.lane for m in removals for _, row in m.samples}
        if missing:
            sys.exit(f"FAIL: no sample in the lanes {sorted(missing)}")
        groups = group(removals, cameras)

        times = sorted({t for m in removals for t, _ in m.samples})
        os.makedirs(os.path.join(work, "whole"))
        render(tarvel, work, times, os.path.join(work, "whole"))
        failures, checked = [], 0
        for number, members in enumerate(groups):
            copy = os.path.join(work, f"copy{number}")
            copy_without(data, copy, members)
            own = sorted({t for m in members for t, _ in m.samples})
            render(tarvel, copy, own, copy)
            for member in members:
                for t, row in member.samples:
                    changed = changed_pixels(os.path.join(work, "whole", f"{times.index(t)}.png"),
                                             os.path.join(copy, f"{own.index(t)}.png"))
                    what = (f"{row.lane}: {row.label} ({row.source}) at {t:.3f} s, "
                            f"{row.seen} {row.start:.3f}-{row.end:.3f}")
                    right = changed > 0 if row.seen == "drawn" else changed == 0
                    print(f"{'ok  ' if right else 'FAIL'} {what}: {changed} pixels changed")
                    checked += 1
                    if not right:
                        failures.append(what)
        if failures:
            print(f"FAIL: {len(failures)} of {checked} frames disagree with the schedule")
            return 1
        print(f"schedule_picture: {checked} frames in {len(lanes)} lanes agree with the "
              f"schedule ({len(groups)} copies of the data set)")
        return 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
