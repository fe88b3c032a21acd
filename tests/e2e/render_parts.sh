#!/usr/bin/env bash
# A recording made in parts with scripts/render-parts is the recording made whole: 40-46 s
# as a picture sequence in three parts gives the same files, byte for byte, sound included;
# as a video in four parts joins to the same frame count and duration.
set -u
tarvel=$1
data=$2
source "$(dirname "$0")/lib.bash"

parts=$(cd "$(dirname "$0")/../../scripts" && pwd)/render-parts
enter_work_dir "$data"
range=(--from 40 --to 46 --fps 30 --size 160x120)

mkdir whole split
env -u DISPLAY "$tarvel" --capture whole/f%05d.png "${range[@]}" >/dev/null 2>&1 ||
  fail "the whole recording failed"
env -u DISPLAY "$parts" --parts 3 "${range[@]}" --tarvel "$tarvel" split/f%05d.png 2>parts.log ||
  fail "render-parts failed: $(cat parts.log)"
[[ $(find whole -name '*.png' | wc -l) -eq 180 ]] || fail "the whole run wrote $(ls whole | wc -l) files"
[[ -f whole/f01200-01379.wav ]] || fail "no sound beside the pictures: $(ls whole | tail -n 2)"
diff -r whole split >/dev/null || fail "the parts differ from the whole: $(diff -rq whole split | head -n 3)"
[[ -z $(find . -name '.render-parts.*') ]] || fail "render-parts left its working folder"

probe() {
  ffprobe -v error -count_frames -select_streams v:0 \
    -show_entries stream=nb_read_frames:format=duration -of csv=p=0 "$1" | paste -sd ' '
}
env -u DISPLAY "$tarvel" --capture whole.mp4 "${range[@]}" >/dev/null 2>&1 ||
  fail "the whole video failed"
env -u DISPLAY "$parts" --parts 4 "${range[@]}" --tarvel "$tarvel" joined.mp4 2>parts.log ||
  fail "render-parts failed: $(cat parts.log)"
[[ $(probe whole.mp4) == "180 6.000000" ]] || fail "the whole video is $(probe whole.mp4)"
[[ $(probe joined.mp4) == "$(probe whole.mp4)" ]] ||
  fail "joined: $(probe joined.mp4), whole: $(probe whole.mp4)"

echo "render parts: all passed"
