#!/usr/bin/env bash
# The schedule against the picture: a sample of `tarvel --schedule` rows in every lane, each
# entry taken out of a copy of the data set, changes the frame where the schedule says it is
# drawn and not where it says it is hidden (tests/e2e/schedule_picture.py).
set -u
exec python3 "$(dirname "$0")/schedule_picture.py" "$1" "$2"
