#!/usr/bin/env bash
# Keyboard only, through the real GTK dialogs: Return in the start-up dialog is OK (with
# Fullscreen checked), and the show covers the screen without a question. With
# --mode-switch, Return on the question that follows on a screen without an 800 x 600 mode
# is Yes, so the show plays in a window until Escape. Then F1 towards that missing mode,
# answered No: the closing message, and the program ends with 0.
set -u
[[ -n "${E2E_TRACE:-}" ]] && set -x
tarvel=$1
data=$2
XWINDOW=$3
source "$(dirname "$0")/lib.bash"

enter_work_dir "$data"
start_xvfb

"$tarvel" >log.txt 2>&1 &
pid=$!
dialog=$(wait_for_window "#Korrin" 60) || fail "the start-up dialog did not open"
sleep 0.5
xdotool windowfocus --sync "$dialog" key Return
main=$(wait_for_window "#Korrin - Tarvel" 60) || fail "no window after Return in the dialog"
sleep 1
[[ $("$XWINDOW" find "#Korrin - Tarvel" | wc -l) -eq 1 ]] || fail "fullscreen asked a question"
eval "$(xdotool getwindowgeometry --shell "$main")"
[[ "$WIDTH x $HEIGHT" == "1280 x 1024" ]] || fail "fullscreen is $WIDTH x $HEIGHT, not the screen"
xdotool windowfocus --sync "$main" key Escape
expect_exit $pid 0 "Escape in fullscreen"

"$tarvel" --mode-switch >log.txt 2>&1 &
pid=$!
dialog=$(wait_for_window "#Korrin" 60) || fail "the start-up dialog did not open"
sleep 0.5
xdotool windowfocus --sync "$dialog" key Return
question=$(wait_for_window "#Korrin - Tarvel" 60) || fail "no window after Return in the dialog"
sleep 0.5
kill -0 $pid 2>/dev/null || { wait $pid; fail "Return in the start-up dialog ended the program with $?"; }
xdotool windowfocus --sync "$question" key Return
sleep 1
"$XWINDOW" find "ERROR" >/dev/null 2>&1 && fail "Return on the question answered No"
main=$(wait_for_other_window "#Korrin - Tarvel" "$question") ||
  fail "the show window did not open after Yes"
sleep 1
xdotool windowfocus --sync "$main" key Escape
expect_exit $pid 0 "Escape"

"$tarvel" --windowed --mode-switch >log.txt 2>&1 &
pid=$!
main=$(wait_for_window "#Korrin - Tarvel" 60) || fail "the show window did not open"
sleep 1
xdotool windowfocus --sync "$main" key F1
question=$(wait_for_other_window "#Korrin - Tarvel" "$main") || fail "F1 towards fullscreen did not ask"
sleep 0.5
xdotool windowfocus --sync "$question" key alt+n
closing=$(wait_for_window "ERROR" 30) || fail "No did not show the closing message"
sleep 0.5
xdotool windowfocus --sync "$closing" key Return
expect_exit $pid 0 "A failed re-creation after F1"

echo "keyboard_dialogs: all passed"
