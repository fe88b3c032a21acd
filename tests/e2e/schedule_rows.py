"""`tarvel --schedule` read as an author's tools read it: one row per stretch of an entry."""

import re
from dataclasses import dataclass

_ROW = re.compile(
    r"^\s*(?P<start>-?\d+\.\d+)\s+(?P<end>-?\d+\.\d+)\s+(?P<seen>drawn|hidden|window)\s+"
    r"(?P<bar>-?\d+:\d)\s+(?P<lane>[^:]+): (?P<label>.+?)\s+(?P<blend>-|\S+,\S+)\s+"
    r"(?P<source>the composition|\S+\.txt:\d+)(?:; (?P<notes>.*))?$"
)
_ENTRY = re.compile(r"entry (-?\d+\.\d+) to (-?\d+\.\d+)")


@dataclass
class Row:
    start: float
    end: float
    seen: str
    bar: str
    lane: str
    label: str
    blend: str
    source: str
    notes: str
    entry_start: float
    entry_end: float

    @property
    def entry(self):
        """The same for every stretch of one timeline entry."""
        return (self.lane, self.label, self.source, self.entry_start, self.entry_end)

    @property
    def list_file(self):
        return None if self.source == "the composition" else self.source.rsplit(":", 1)[0]

    @property
    def list_line(self):
        return None if self.source == "the composition" else int(self.source.rsplit(":", 1)[1])


def parse(text):
    rows = []
    for number, line in enumerate(text.splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        match = _ROW.match(line)
        if not match:
            raise ValueError(f"schedule line {number} does not read as a row: {line}")
        notes = match["notes"] or ""
        entry = _ENTRY.search(notes)
        start, end = float(match["start"]), float(match["end"])
        rows.append(
            Row(start, end, match["seen"], match["bar"], match["lane"], match["label"],
                match["blend"], match["source"], notes,
                float(entry[1]) if entry else start, float(entry[2]) if entry else end))
    return rows
