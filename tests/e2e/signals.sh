#!/usr/bin/env bash
# SIGINT, SIGTERM and SIGHUP end the program with 128 + n and a line naming what they
# interrupted, in a still frame, a benchmark and while a GTK dialog holds the main thread
# (the start-up dialog, the F8 pause box); nothing half-written stays behind. And the
# displays: one that is named but cannot be opened, and a window or authoring asked for
# with none.
set -u
[[ -n "${E2E_TRACE:-}" ]] && set -x
tarvel=$1
data=$2
XWINDOW=$3
source "$(dirname "$0")/lib.bash"

enter_work_dir "$data"

declare -A number=([INT]=2 [TERM]=15 [HUP]=1)

# Files in the working directory besides the data link and the program's output.
leftovers() {
  find . -mindepth 1 -maxdepth 1 ! -name vintra ! -name err.txt ! -name logga ! -name stills \
    -printf '%f '
}

# Sends SIG$1 to process $2 and checks its status and line; $3 names the run.
expect_interrupted() {
  local signal=$1 pid=$2 what=$3
  kill -s "$signal" "$pid"
  wait_for_exit "$pid" 10 || fail "$what: SIG$signal did not end the program within 10 s"
  wait "$pid"
  local status=$?
  [[ $status -eq $((128 + number[$signal])) ]] ||
    fail "$what: SIG$signal ended the program with $status, not $((128 + number[$signal]))"
  grep -q "SIG$signal interrupted" err.txt || fail "$what: no line for SIG$signal: $(cat err.txt)"
  [[ -z "$(leftovers)" ]] || fail "$what: SIG$signal left $(leftovers)"
}

# Offline runs are interrupted while they load and while they render: a second lets the
# handler act at once, three seconds reach the frames. A still is quick (the show goes
# straight to its time), so the stills are a long series of large ones into stills/: those
# written are whole, and no temporary file stays.
stills=()
for ((t = 95; t < 185; ++t)); do
  stills+=(--shot "$t" "stills/$t.png")
done
# Each signal meets each kind of run once while it loads or once while it renders.
declare -A still_wait=([INT]=1 [TERM]=3 [HUP]=1) bench_wait=([INT]=3 [TERM]=1 [HUP]=3)
for signal in INT TERM HUP; do
  rm -rf stills && mkdir stills
  env -u DISPLAY "$tarvel" "${stills[@]}" --size 2400x1800 >/dev/null 2>err.txt &
  pid=$!
  sleep "${still_wait[$signal]}"
  expect_interrupted $signal $pid "--shot after ${still_wait[$signal]} s"
  [[ -z $(find stills -name '*.png.*') ]] || fail "SIG$signal left $(ls stills | grep -v 'png$')"
  rm -rf stills
  env -u DISPLAY "$tarvel" --bench --from 95 --to 110 --csv frames.csv --chart frames.svg \
    >/dev/null 2>err.txt &
  pid=$!
  sleep "${bench_wait[$signal]}"
  expect_interrupted $signal $pid "--bench after ${bench_wait[$signal]} s"
done

start_xvfb
for signal in INT TERM HUP; do
  "$tarvel" >/dev/null 2>err.txt &
  pid=$!
  wait_for_window "#Korrin" 60 >/dev/null || fail "the start-up dialog did not open"
  sleep 0.5
  expect_interrupted $signal $pid "the start-up dialog"
done

touch logga
for signal in INT TERM HUP; do
  "$tarvel" --windowed >/dev/null 2>err.txt &
  pid=$!
  window=$(wait_for_window "#Korrin - Tarvel" 60) || fail "the show window did not open"
  sleep 1
  xdotool windowfocus --sync "$window" key F8
  wait_for_window "Pause" 30 >/dev/null || fail "F8 did not open the pause box"
  sleep 0.5
  expect_interrupted $signal $pid "the pause box"
done
rm -f logga

# Nothing listens on this display: the program must say so, not play unseen.
DISPLAY=:4093 "$tarvel" --windowed >/dev/null 2>err.txt &
pid=$!
wait_for_exit $pid 30 || fail "an unreachable display: the program did not end"
wait $pid
status=$?
[[ $status -eq 1 ]] || fail "an unreachable display ended with $status, not 1"
grep -q "cannot open display :4093" err.txt || fail "an unreachable display is not named: $(cat err.txt)"

# What only a window can do, refused in one line before anything loads; only the plain
# command records without a display.
for mode in --windowed --fullscreen "--loop 28 29" --watch; do
  env -u DISPLAY -u WAYLAND_DISPLAY "$tarvel" $mode >/dev/null 2>err.txt &
  pid=$!
  wait_for_exit $pid 30 || fail "$mode without a display: the program did not end"
  wait $pid
  status=$?
  [[ $status -eq 2 ]] || fail "$mode without a display ended with $status, not 2"
  grep -q -- "${mode%% *} needs a display" err.txt && grep -q -- "--capture" err.txt ||
    fail "$mode without a display does not say how to record: $(cat err.txt)"
  [[ $(wc -l <err.txt) -eq 1 ]] || fail "$mode without a display said more than one line: $(cat err.txt)"
  [[ -z "$(leftovers)" ]] || fail "$mode without a display left $(leftovers)"
done

echo "signals: all passed"
