#!/usr/bin/env bash
# The golden schedule: `tarvel --schedule` on the generated data set must print exactly
# tests/e2e/reference/schedule.txt. Any entry that moved, appeared or vanished shows in the
# diff; after a meant change, scripts/bless-reference-frames.sh re-blesses it. Then the
# schedule drawn (`--svg`) against the text: every row at its times, grey where the picture
# does not show it, no label over another (tests/e2e/schedule_chart_check.py).
set -u
tarvel=$1
data=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.bash"

enter_work_dir "$data"
env -u DISPLAY timeout -k 5 300 "$tarvel" --schedule >schedule.txt 2>schedule.err ||
  fail "--schedule failed: $(cat schedule.err)"
if ! diff -u --label "golden tests/e2e/reference/schedule.txt" --label "tarvel --schedule" \
  "$here/reference/schedule.txt" schedule.txt; then
  fail "the schedule differs from the golden copy (- golden, + now); if the change is meant," \
    "run scripts/bless-reference-frames.sh"
fi
echo "schedule: $(grep -vc '^#' schedule.txt) entries as in the golden copy"

env -u DISPLAY timeout -k 5 300 "$tarvel" --schedule --svg chart.svg 2>schedule.err ||
  fail "--schedule --svg failed: $(cat schedule.err)"
python3 "$here/schedule_chart_check.py" schedule.txt chart.svg || fail "the chart and the schedule differ"
