#!/usr/bin/env bash
# The program end to end: a whole run to its end, Escape, the log window's close box, a
# still frame without any display, a recording instead of the show where there is no display,
# and bad options.
set -u
tarvel=$1
data=$2
XWINDOW=$3
probe=$4
source "$(dirname "$0")/lib.bash"

enter_work_dir "$data"
start_xvfb

# A coarse fixed step keeps the whole run to a few hundred frames, so a busy machine
# finishes it well inside the limit that only guards against a hang.
timeout -k 5 600 "$tarvel" --windowed --fps 2 >/dev/null 2>&1
status=$?
[[ $status -eq 0 ]] || fail "a whole run ended with $status, not 0"

"$tarvel" --windowed >/dev/null 2>run.err &
pid=$!
window=$(wait_for_window "#Korrin - Tarvel" 60) ||
  fail "the show window did not open: $(grep "^tarvel:" run.err | tail -n 1)"
sleep 1
xdotool windowfocus --sync "$window" key Escape
wait_for_exit $pid 30 || fail "Escape did not end the show"
wait $pid
status=$?
[[ $status -eq 0 ]] || fail "Escape ended the show with $status, not 0"

touch logga
"$tarvel" --windowed >/dev/null 2>&1 &
pid=$!
wait_for_window "Log Window" 60 >/dev/null || fail "the log window did not open with logga"
sleep 1
"$XWINDOW" close "Log Window" || fail "could not close the log window"
wait_for_exit $pid 30 || fail "closing the log window did not end the show"
wait $pid
status=$?
[[ $status -eq 255 ]] || fail "closing the log window ended with $status, not 255"
rm -f logga

env -u DISPLAY timeout -k 5 300 "$tarvel" --shot 2 out.png --fps 20 >/dev/null 2>&1
status=$?
[[ $status -eq 0 ]] || fail "--shot without a display ended with $status"
[[ "$("$probe" size out.png)" == "800 600" ]] || fail "--shot did not write an 800 x 600 PNG"

env -u DISPLAY -u WAYLAND_DISPLAY "$tarvel" --from 9 --to 9.5 --fps 20 >/dev/null 2>err.txt
status=$?
[[ $status -eq 0 ]] || fail "the show without a display ended with $status, not 0: $(cat err.txt)"
[[ -s tarvel.mp4 ]] || fail "the show without a display was not recorded to tarvel.mp4"
head -n 1 err.txt | grep -q "recording the show to $(pwd -P)/tarvel.mp4" ||
  fail "no line before the recording says where it goes: $(head -n 1 err.txt)"
tail -n 1 err.txt | grep -q "recorded in $(pwd -P)/tarvel.mp4" ||
  fail "no line after the recording says where the file went: $(tail -n 1 err.txt)"

"$tarvel" --frobnicate >/dev/null 2>&1
[[ $? -eq 2 ]] || fail "an unknown option did not give exit status 2"
"$tarvel" --fps abc >/dev/null 2>&1
[[ $? -eq 2 ]] || fail "a malformed --fps did not give exit status 2"
"$tarvel" --from 9 --to 8 >/dev/null 2>&1
[[ $? -eq 2 ]] || fail "--to before --from did not give exit status 2"

echo "shell_modes: all passed"
