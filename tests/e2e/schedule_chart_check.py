#!/usr/bin/env python3
"""`tarvel --schedule --svg` against `tarvel --schedule`: the chart draws every row of the text,
in its order and at its times, a stretch the picture does not show in grey and every other
stretch in colour, and no label runs into another label or into another entry's bar.

Usage: schedule_chart_check.py SCHEDULE.txt CHART.svg; prints what is wrong, exit 1 if anything.
"""

import itertools
import re
import sys
import xml.etree.ElementTree as ET

from schedule_rows import parse

SVG = "{http://www.w3.org/2000/svg}"
# The chart sets its labels in a monospaced face: DejaVu Sans Mono advances 1233/2048 of the
# font size per character, Liberation Mono 1229/2048. Above the baseline a lower-case label
# reaches 0.76 of the size, below it 0.24.
ADVANCE = 1233 / 2048
ASCENT, DESCENT = 0.76, 0.24


def grey(fill):
    """The lightness of a grey "#rrggbb", or None for a colour."""
    match = re.fullmatch(r"#([0-9a-f]{2})([0-9a-f]{2})([0-9a-f]{2})", fill or "")
    if not match:
        return None
    r, g, b = (int(part, 16) for part in match.groups())
    return r if r == g == b else None


def overlap(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def text_box(element, size):
    size = float(element.get("font-size", size))
    width = ADVANCE * size * len(element.text or "")
    x, y = float(element.get("x")), float(element.get("y"))
    if element.get("text-anchor") == "middle":
        x -= width / 2
    return (x, y - ASCENT * size, x + width, y + DESCENT * size)


def shape_box(element):
    if element.tag == SVG + "rect":
        x, y = float(element.get("x")), float(element.get("y"))
        return (x, y, x + float(element.get("width")), y + float(element.get("height")))
    points = [tuple(map(float, point.split(","))) for point in element.get("points").split()]
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return (min(xs), min(ys), max(xs), max(ys))


def main(schedule_file, chart_file):
    with open(schedule_file, encoding="utf-8") as f:
        rows = parse(f.read())
    root = ET.parse(chart_file).getroot()
    problems = []
    if "mono" not in root.get("font-family", "").lower():
        problems.append(f"the chart's font is not monospaced: {root.get('font-family')}")
    size = float(root.get("font-size", 16))

    entries = [e for e in root.iter() if (e.get("class") or "").startswith("entry")]
    if len(entries) != len(rows):
        problems.append(f"the chart has {len(entries)} entries, the schedule {len(rows)} rows")
    for row, element in zip(rows, entries):
        title = element.findtext(SVG + "title") or ""
        where = f"{row.start:.3f}-{row.end:.3f} {row.lane}: {row.label}"
        if not title.startswith(f"{row.start:.3f} to {row.end:.3f} s"):
            problems.append(f"{where}: drawn as \"{title}\"")
            continue
        lightness = grey(element.get("fill"))
        if row.seen == "hidden" and (lightness is None or lightness < 0xd0):
            problems.append(f"{where}: not drawn in the show, but {element.get('fill')} here")
        if row.seen == "drawn" and lightness is not None:
            problems.append(f"{where}: drawn in the show, but grey ({element.get('fill')}) here")
        if (row.seen == "hidden") != ("hidden" in element.get("class").split()):
            problems.append(f"{where}: class \"{element.get('class')}\" for a {row.seen} row")

    texts = [(e, text_box(e, size)) for e in root.iter(SVG + "text")]
    for (a, box_a), (b, box_b) in itertools.combinations(texts, 2):
        if overlap(box_a, box_b):
            problems.append(f"labels overlap: \"{a.text}\" and \"{b.text}\"")
    shapes = [(e.get("data-entry"), shape_box(e)) for e in entries]
    for label, box in texts:
        entry = label.get("data-entry")
        if entry is None:
            continue
        for other, shape in shapes:
            if other != entry and overlap(box, shape):
                problems.append(f"the label \"{label.text}\" runs into entry {other}'s bar")

    for problem in problems[:40]:
        print(problem)
    if problems:
        print(f"{len(problems)} problems in {chart_file}")
        return 1
    hidden = sum(row.seen == "hidden" for row in rows)
    print(f"chart: {len(rows)} rows as the schedule, {hidden} grey, {len(texts)} labels apart")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
