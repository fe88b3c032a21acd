#!/usr/bin/env bash
# The program end to end: a whole run to its end, Escape, the log window's close box, a
# still frame without any display, and bad options.
set -u
tarvel=$1
XWINDOW=$3
source "$(dirname "$0")/lib.bash"

work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT
cd "$work" || exit 1
start_xvfb

timeout 300 "$tarvel" --windowed --fps 50 >/dev/null 2>&1
status=$?
[[ $status -eq 0 ]] || fail "a whole run ended with $status, not 0"

"$tarvel" --windowed >/dev/null 2>&1 &
pid=$!
window=$(wait_for_window "#Korrin - Tarvel" 30) || fail "the show window did not open"
sleep 1
xdotool windowfocus --sync "$window" key Escape
timeout 20 tail --pid=$pid -f /dev/null
wait $pid
status=$?
[[ $status -eq 0 ]] || fail "Escape ended the show with $status, not 0"

touch logga
"$tarvel" --windowed >/dev/null 2>&1 &
pid=$!
wait_for_window "Log Window" 30 >/dev/null || fail "the log window did not open with logga"
sleep 1
"$XWINDOW" close "Log Window" || fail "could not close the log window"
timeout 20 tail --pid=$pid -f /dev/null
wait $pid
status=$?
[[ $status -eq 255 ]] || fail "closing the log window ended with $status, not 255"
rm -f logga

env -u DISPLAY timeout 120 "$tarvel" --shot 2 out.png >/dev/null 2>&1
status=$?
[[ $status -eq 0 ]] || fail "--shot without a display ended with $status"
[[ "$(png_size out.png)" == "800x600" ]] || fail "--shot did not write an 800 x 600 PNG"

env -u DISPLAY "$tarvel" >/dev/null 2>err.txt
status=$?
[[ $status -eq 1 ]] || fail "the interactive show without a display ended with $status, not 1"
grep -q -- "--shot" err.txt || fail "the no-display message does not name the offline modes"

"$tarvel" --frobnicate >/dev/null 2>&1
[[ $? -eq 2 ]] || fail "an unknown option did not give exit status 2"
"$tarvel" --fps abc >/dev/null 2>&1
[[ $? -eq 2 ]] || fail "a malformed --fps did not give exit status 2"

echo "shell_modes: all passed"
