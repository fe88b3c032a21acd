#!/usr/bin/env bash
# The music through a real SDL audio path: SDL's disk driver writes what the device would
# play. It must be silent through the start-up and the 4-second lead-in, and carry the
# music once show time passes 0. Without any audio device the show still plays.
set -u
[[ -n "${E2E_TRACE:-}" ]] && set -x
tarvel=$1
data=$2
XWINDOW=$3
probe=$4
source "$(dirname "$0")/lib.bash"

enter_work_dir "$data"
start_xvfb

SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORK/audio.raw" "$tarvel" --windowed >/dev/null 2>&1 &
pid=$!
main=$(wait_for_window "#Korrin - Tarvel" 60) || fail "the show window did not open"
sleep 9
xdotool windowfocus --sync "$main" key Escape
wait_for_exit $pid 30 || fail "Escape did not end the show"
[[ -s audio.raw ]] || fail "the disk audio driver wrote nothing"

seconds=$(($(stat -c %s audio.raw) / 176400))
[[ $seconds -ge 7 ]] || fail "only $seconds s of audio were written"
lead_in=$("$probe" raw audio.raw 44100 0.2 3.5)
music=$("$probe" raw audio.raw 44100 $((seconds - 2)) $((seconds)))
awk -v v="$lead_in" 'BEGIN { exit !(v < 5) }' || fail "the lead-in is not silent (RMS $lead_in)"
awk -v v="$music" 'BEGIN { exit !(v > 200) }' || fail "no music after show time 0 (RMS $music)"

SDL_AUDIODRIVER=no-such-driver "$tarvel" --windowed >/dev/null 2>&1 &
pid=$!
main=$(wait_for_window "#Korrin - Tarvel" 60) || fail "without audio the show window did not open"
sleep 6
kill -0 $pid 2>/dev/null || fail "without an audio device the show did not keep playing"
xdotool windowfocus --sync "$main" key Escape
wait_for_exit $pid 30 || fail "Escape did not end the silent show"
wait $pid
[[ $? -eq 0 ]] || fail "the silent show did not end with 0"

echo "sound: all passed"
