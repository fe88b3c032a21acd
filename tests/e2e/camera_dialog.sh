#!/usr/bin/env bash
# The authoring keys for real: with the log on, Enter asks for a file name in the input
# dialog, the C key records camera positions into it, and Escape ends the show with every
# recorded line in the file.
set -u
[[ -n "${E2E_TRACE:-}" ]] && set -x
tarvel=$1
data=$2
XWINDOW=$3
source "$(dirname "$0")/lib.bash"

enter_work_dir "$data"
start_xvfb
touch logga

"$tarvel" --windowed >log.txt 2>&1 &
pid=$!
main=$(wait_for_window "#Korrin - Tarvel" 60) || fail "the show window did not open"
# C records through the current camera, which a camera cut replaces: start once the first
# cut is on (show time 0) and finish well before the next (7.68 s).
sleep 5
xdotool windowfocus --sync "$main" key Return
dialog=$(wait_for_window "Input" 30) || fail "Enter did not open the input dialog"
sleep 0.5
xdotool windowfocus --sync "$dialog" type --delay 20 "rec.pos"
xdotool key Return
# The recording is announced in a message box; one Return is its OK. A second would reach
# the show and end the recording.
sleep 0.5
xdotool key Return
for ((i = 0; i < 100; i++)); do
  [[ -f rec.pos ]] && break
  sleep 0.1
done
[[ -f rec.pos ]] || fail "the recording file was not created"
sleep 0.5
xdotool windowfocus --sync "$main" key c
sleep 0.3
xdotool key c
sleep 0.3
xdotool key Escape
wait_for_exit $pid 30 || fail "Escape did not end the show"
wait $pid
status=$?
[[ $status -eq 0 ]] || fail "the show ended with $status"

lines=$(grep -c . rec.pos)
[[ $lines -eq 2 ]] || fail "expected 2 recorded positions, found $lines: $(cat rec.pos)"
while read -r line; do
  [[ $(echo "$line" | wc -w) -eq 9 ]] || fail "a recorded line does not hold nine numbers: $line"
  [[ "$line" =~ ^-?[0-9]+\.[0-9]{2}( -?[0-9]+\.[0-9]{2}){8}$ ]] || fail "not two decimals: $line"
done <rec.pos
grep -q "Writing camera pos from file: rec.pos" log.txt || fail "the recording was not logged"

echo "camera_dialog: all passed"
