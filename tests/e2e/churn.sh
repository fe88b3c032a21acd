#!/usr/bin/env bash
# Start-up rounds one after another: the program survives eight F1 rounds (window,
# fullscreen, window, … on a screen that has the 800 x 600 mode) and ten F12 reloads
# answered Yes, asks every question, re-reads the lists and ends normally on Escape.
# Memory, descriptors and threads per round are measured by bench/churn.sh, not here: a
# loaded machine moves them.
set -u
[[ -n "${E2E_TRACE:-}" ]] && set -x
tarvel=$1
data=$2
XWINDOW=$3
source "$(dirname "$0")/lib.bash"

enter_work_dir "$data"
start_xvfb 800x600x24
touch logga

"$tarvel" --windowed >log.txt 2>&1 &
pid=$!
# Generous waits: on a busy machine a start-up round takes long, and that is no fault.
window=$(wait_for_window "#Korrin - Tarvel" 180) || fail "the show window did not open"
sleep 1

# The next round's window, not the old one that a slow F1 has not torn down yet.
toggle() {
  local old=$window i
  xdotool windowfocus --sync "$window" key F1
  window=""
  for ((i = 0; i < 1800; i++)); do
    sleep 0.1
    window=$("$XWINDOW" find "#Korrin - Tarvel" 2>/dev/null | grep -vx "$old" | head -n 1)
    [[ -n "$window" ]] && break
  done
  [[ -n "$window" ]] || fail "no new window after F1"
  sleep 1
}
for ((round = 0; round < 8; round++)); do toggle; done

reload() {
  xdotool windowfocus --sync "$window" key F12
  local question try i
  question=$(wait_for_window "Reloade lists too?" 120) || fail "F12 did not ask"
  # Return must reach the question, not the show (where it would open the input dialog):
  # on a busy machine the focus can take a while, so the answer is repeated until it went.
  for ((try = 0; try < 5; try++)); do
    sleep 0.5
    xdotool windowfocus --sync "$question" key Return 2>/dev/null
    for ((i = 0; i < 100; i++)); do
      "$XWINDOW" find "Reloade lists too?" >/dev/null 2>&1 || break 2
      sleep 0.1
    done
  done
  "$XWINDOW" find "Reloade lists too?" >/dev/null 2>&1 && fail "the question could not be answered"
  "$XWINDOW" find "Input" >/dev/null 2>&1 && fail "Return reached the show, not the question"
  sleep 1
}
for ((round = 0; round < 10; round++)); do reload; done
[[ $(grep -c "Read .* rows" log.txt) -ge 50 ]] || fail "the reloads did not re-read the lists"

xdotool windowfocus --sync "$window" key Escape
wait_for_exit $pid 120 || fail "Escape did not end the program"
wait $pid
status=$?
[[ $status -eq 0 ]] || fail "Escape ended the program with $status, not 0"

echo "churn: all passed"
