#!/usr/bin/env python3
"""Instructions a frame from one callgrind run of `tarvel --bench` that dumped before every
frame (--dump-before='drawFrame(Session&)'): part k + 1 holds frame k, all threads together.
Prints one line: frames counted, then instructions a frame in all, in the program's own code,
in the rasteriser (Mesa's llvmpipe: its driver, the shaders it compiles, LLVM) and elsewhere
(the C and C++ libraries, libjpeg, ...).
    callgrind_costs.py OUT_FILE_PREFIX FIRST_FRAME LAST_FRAME
Frames are counted from 1; FIRST_FRAME .. LAST_FRAME are averaged."""

import collections
import glob
import re
import sys

RASTERISER = re.compile(r"(swrast_dri|libgallium|libLLVM|libglapi|mesa|^\?\?\?$)")


class Names:
    """Callgrind compresses names: "(7) /usr/lib/x.so" defines 7, "(7)" refers to it. The
    table runs on across the parts of one run."""

    def __init__(self):
        self.table = {}

    def __call__(self, written):
        match = re.match(r"\((\d+)\)(?: (.*))?$", written)
        if not match:
            return written
        if match.group(2) is not None:
            self.table[match.group(1)] = match.group(2)
        return self.table.get(match.group(1), "?")


def costs_by_object(path, names):
    """Self cost (instructions) per object of one part; the cost lines after a calls= line
    are the callee's inclusive cost and are left out."""
    costs = collections.Counter()
    current = None
    after_call = False
    summary = None
    with open(path, errors="replace") as part:
        for line in part:
            line = line.rstrip("\n")
            if line.startswith("ob="):
                current = names(line[3:])
            elif line.startswith("cob="):
                names(line[4:])
            elif line.startswith("calls="):
                after_call = True
            elif line[:1].isdigit() or line[:1] in "+-*":
                if after_call:
                    after_call = False
                    continue
                fields = line.split()
                if len(fields) >= 2:
                    costs[current] += int(fields[1])
            elif line.startswith("summary:"):
                summary = int(line.split()[1])
    if summary is not None and summary != sum(costs.values()):
        sys.exit(f"callgrind_costs: {path}: the costs add up to {sum(costs.values())}, "
                 f"its summary says {summary}")
    return costs


def kind(object_name):
    base = object_name.rsplit("/", 1)[-1]
    if base.startswith("tarvel"):
        return "program"
    if RASTERISER.search(base):
        return "rasteriser"
    return "other"


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    prefix, first, last = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    parts = {}
    for path in glob.glob(prefix + ".*"):
        suffix = path.rsplit(".", 1)[1]
        if suffix.isdigit():
            parts[int(suffix)] = path
    if not parts or last + 1 > max(parts):
        sys.exit(f"callgrind_costs: {prefix}: {len(parts)} parts, frames {first} to {last} "
                 "wanted (was the run dumped before every frame?)")
    names = Names()
    totals = collections.Counter()
    for number in sorted(parts):
        costs = costs_by_object(parts[number], names)  # every part: the names run on
        if first + 1 <= number <= last + 1:
            for object_name, cost in costs.items():
                totals[kind(object_name)] += cost
    frames = last - first + 1
    every = sum(totals.values())
    print(frames, *(f"{value / frames:.0f}" for value in
                    (every, totals["program"], totals["rasteriser"], totals["other"])))


if __name__ == "__main__":
    main()
