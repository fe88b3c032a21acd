#!/usr/bin/env bash
# One show from any start: the frame at a show time is the same, byte for byte, whether the
# show ran to it from the start, started 3 s or half a second before it, jumped straight to
# it (--shot), at 10, 30 or 60 frames a second, in a window after an F11 seek, or in a
# --loop's second pass. Six moments: two in the tower window, one in the graffiti window,
# one just after a flash, one in the opening and one with the morphing spider.
set -u
tarvel=$1
data=$2
XWINDOW=$3
source "$(dirname "$0")/lib.bash"

enter_work_dir "$data"
SIZE=160x120
# A sanitizer build draws a frame many times slower: it checks one moment, from before the
# tower's start (ONE_SHOW_MOMENTS, ONE_SHOW_RATES, ONE_SHOW_FROM).
read -r -a MOMENTS <<<"${ONE_SHOW_MOMENTS:-20 50 62 85 100 116}"  # 62: after the flash at 61.92
read -r -a RATES <<<"${ONE_SHOW_RATES:-30 60}"
WHOLE_FROM=${ONE_SHOW_FROM:-0}
LAST=${MOMENTS[-1]}

# The offscreen runs, one per line of runs.txt, two at a time: each is mostly one thread.
offscreen_runs() {
  export tarvel SIZE
  xargs -P 2 -L 1 bash -c 'log=$(mktemp -p .)
    env -u DISPLAY timeout -k 5 600 "$tarvel" --size "$SIZE" "$@" >/dev/null 2>"$log" ||
      { echo "tarvel $* failed:" >&2; cat "$log" >&2; exit 1; }
    rm -f "$log"' bash <runs.txt || fail "an offscreen run failed"
}
# The file of the frame at show time $2 in a picture sequence of $3 frames a second in $1.
frame_of() {
  printf '%s/f%05d.png' "$1" "$(awk -v t="$2" -v f="$3" 'BEGIN { print int(t * f + 0.5) }')"
}
same() {
  cmp -s "$1" "$2" || fail "$3: $1 and $2 differ"
}

# Every frame from show time 0 to the last moment, at 10 frames a second: the moments lie
# on every grid, so the frames at 30 and 60 a second must equal these. The longest run goes
# first.
mkdir whole
echo --capture whole/f%05d.png --from "$WHOLE_FROM" \
  --to "$(awk -v t="$LAST" 'BEGIN { print t + 0.1 }')" --fps 10 >runs.txt
for fps in "${RATES[@]}"; do
  for t in "${MOMENTS[@]}"; do
    for lead in 3 0.5; do
      mkdir "from-$fps-$t-$lead"
      echo --capture "from-$fps-$t-$lead/f%05d.png" --fps "$fps" \
        --from "$(awk -v t="$t" -v l="$lead" 'BEGIN { print t - l }')" \
        --to "$(awk -v t="$t" -v f="$fps" 'BEGIN { print t + 1 / f }')" >>runs.txt
    done
    echo --shot "$t" "shot-$fps-$t.png" --fps "$fps" >>runs.txt
  done
done
offscreen_runs

for fps in "${RATES[@]}"; do
  for t in "${MOMENTS[@]}"; do
    for lead in 3 0.5; do
      same "$(frame_of "from-$fps-$t-$lead" "$t" "$fps")" "$(frame_of whole "$t" 10)" \
        "at $t s, $fps fps, from $lead s before"
    done
    same "shot-$fps-$t.png" "$(frame_of whole "$t" 10)" "--shot $t at $fps fps"
  done
done

# In a window at 30 frames a second, 800 x 600: after an F11 seek, and in a loop's second
# pass, against the window's frame when the show ran there from before the tower's start.
start_xvfb
touch logga
timeout -k 5 300 "$tarvel" --windowed --fps 30 --from 94 --shot 100 still.png >/dev/null 2>&1 ||
  fail "the window's still at 100 s failed"
# The first frame after a jump straight into the scene, at full size, where the sparks'
# trail (the step before) is seen: llvmpipe draws offscreen as in the window.
env -u DISPLAY timeout -k 5 300 "$tarvel" --shot 100 jump.png --fps 30 >/dev/null 2>&1 ||
  fail "the offscreen still at 100 s failed"
same jump.png still.png "at 100 s, straight there, against the window's run from 94 s"

"$tarvel" --windowed --fps 30 --from 20 --shot 100 seek.png >seek.log 2>&1 &
pid=$!
main=$(wait_for_window "#Korrin - Tarvel" 60) || fail "the show window did not open"
# Space freezes the picture, and with it the stepped clock, while F11 asks for the time.
xdotool windowfocus --sync "$main" key space
xdotool windowfocus --sync "$main" key F11
dialog=$(wait_for_window "Input" 30) || fail "F11 did not open the input dialog"
sleep 0.5
xdotool windowfocus --sync "$dialog" type --delay 20 "97"
xdotool key Return
sleep 0.5
xdotool windowfocus --sync "$main" key space
expect_exit $pid 0 "the still after the seek"
grep -q "at show time 100.000" seek.log || fail "the seek's still: $(cat seek.log)"
same seek.png still.png "at 100 s after an F11 seek to 97 s"

"$tarvel" --windowed --fps 30 --loop 99 101 --from 100.5 --shot 100 loop.png >loop.log 2>&1 &
pid=$!
wait_for_exit $pid 120 || fail "the loop's still was not written"
wait $pid || fail "the loop's run failed: $(cat loop.log)"
same loop.png still.png "at 100 s in the second pass of --loop 99 101"

echo "one show: all passed"
