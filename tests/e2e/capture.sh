#!/usr/bin/env bash
# Recording the show to video files without any display: a short range of the generated
# show checked with ffprobe, picture and sound in step on a crafted data set (a black flash
# and a click at the same show time), the formats by extension, failures that leave no file
# behind, and the frame-time chart and table of --bench.
set -u
[[ -n "${E2E_TRACE:-}" ]] && set -x
tarvel=$1
data=$2
probe=$4
source "$(dirname "$0")/lib.bash"

enter_work_dir "$data"
unset DISPLAY WAYLAND_DISPLAY

# One field of one stream: stream_field FILE v:0 width
stream_field() {
  ffprobe -v error -select_streams "$2" -show_entries "stream=$3" -of default=nw=1:nk=1 "$1" |
    head -n 1
}
within() { # within VALUE LOW HIGH
  awk -v v="$1" -v lo="$2" -v hi="$3" 'BEGIN { exit !(v >= lo && v <= hi) }'
}

# A short range of the real show.
timeout -k 5 300 "$tarvel" --capture range.mp4 --from 9 --to 12 2>err.txt
status=$?
[[ $status -eq 0 ]] || fail "--capture ended with $status: $(tail -n 2 err.txt)"
[[ -s range.mp4 ]] || fail "--capture wrote no range.mp4"
[[ "$(stream_field range.mp4 v:0 codec_name)" == h264 ]] || fail "the video is not H.264"
[[ "$(stream_field range.mp4 a:0 codec_name)" == aac ]] || fail "the sound is not AAC"
size="$(stream_field range.mp4 v:0 width)x$(stream_field range.mp4 v:0 height)"
[[ "$size" == 800x600 ]] || fail "the video is $size, not 800x600"
rate=$(stream_field range.mp4 v:0 r_frame_rate)
[[ "$rate" == 60/1 ]] || fail "the frame rate is $rate, not 60/1"
frames=$(ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames \
  -of default=nw=1:nk=1 range.mp4)
[[ "$frames" == 180 ]] || fail "3 s at 60 fps should be 180 frames, not $frames"
duration=$(ffprobe -v error -show_entries format=duration -of default=nw=1:nk=1 range.mp4)
within "$duration" 2.983 3.017 || fail "the file lasts $duration s, not 3 s within one frame"
audio=$(stream_field range.mp4 a:0 duration)
within "$audio" 2.983 3.017 || fail "the sound lasts $audio s, not 3 s within one frame"
loudness=$(ffmpeg -hide_banner -i range.mp4 -af volumedetect -f null - 2>&1 |
  sed -n 's/.*mean_volume: \(-*[0-9.]*\) dB/\1/p')
within "${loudness:--200}" -40 0 || fail "the music is missing from the recording ($loudness dB)"
grep -q "recording 180/180 frames" err.txt || fail "no progress line reached 180/180 frames"
grep -q "recorded in .*range.mp4" err.txt || fail "the closing line does not name the file"

# 1080p: the size asked for, with its sound, multisampled (as it is by default there).
timeout -k 5 300 "$tarvel" --capture wide.mp4 --from 9 --to 9.5 --fps 30 --size 1920x1080 \
  --samples 4 2>err.txt || fail "--capture --size 1920x1080 failed: $(tail -n 2 err.txt)"
size="$(stream_field wide.mp4 v:0 width)x$(stream_field wide.mp4 v:0 height)"
[[ "$size" == 1920x1080 ]] || fail "--size 1920x1080 recorded $size"
[[ "$(stream_field wide.mp4 a:0 codec_name)" == aac ]] || fail "the 1080p video has no sound"
# Only the 4:3 picture is read back and converted: the pillars must still be black and the
# picture, its edges too, the frame's own. Both resolve the samples before reading them
# (the opening's copy of the scene resolves a corner of its own mid-frame).
timeout -k 5 300 "$tarvel" --shot 9 widestill.png --from 9 --fps 30 --size 1920x1080 \
  --samples 4 2>/dev/null || fail "--shot 9 at 1920x1080 failed"
ffmpeg -v error -i wide.mp4 -frames:v 1 widefirst.png || fail "cannot decode wide.mp4"
for region in "0 0 240 1080" "1680 0 240 1080" "240 0 1440 1080" "200 400 80 200" \
  "1640 100 80 200" "700 300 400 400"; do
  # shellcheck disable=SC2086
  read -r r1 g1 b1 <<<"$("$probe" png widestill.png $region)"
  # shellcheck disable=SC2086
  read -r r2 g2 b2 <<<"$("$probe" png widefirst.png $region)"
  for pair in "$r1 $r2" "$g1 $g2" "$b1 $b2"; do
    set -- $pair
    (($1 - $2 <= 3 && $2 - $1 <= 3)) ||
      fail "1080p region $region: the still frame has $r1 $g1 $b1, the recording $r2 $g2 $b2"
  done
done

# The recorded picture has the colours of the frame itself: the first frame of a recording
# from 50 s against a still frame at 50 s, region by region.
timeout -k 5 300 "$tarvel" --capture colours.mkv --from 50 --to 50.1 2>err.txt ||
  fail "--capture colours.mkv failed: $(tail -n 1 err.txt)"
timeout -k 5 300 "$tarvel" --shot 50 still.png --from 50 2>/dev/null || fail "--shot 50 failed"
ffmpeg -v error -i colours.mkv -frames:v 1 first.png || fail "cannot decode colours.mkv"
for region in "0 0 800 600" "0 0 100 100" "250 150 300 300" "600 400 200 200"; do
  # shellcheck disable=SC2086
  read -r r1 g1 b1 <<<"$("$probe" png still.png $region)"
  # shellcheck disable=SC2086
  read -r r2 g2 b2 <<<"$("$probe" png first.png $region)"
  for pair in "$r1 $r2" "$g1 $g2" "$b1 $b2"; do
    set -- $pair
    (($1 - $2 <= 3 && $2 - $1 <= 3)) ||
      fail "region $region: the still frame has $r1 $g1 $b1, the recording $r2 $g2 $b2"
  done
done

# Picture and sound in step: a black flash and a click both start at show time 5.005, between
# two frames. Times are the files' own timestamps, as a player uses them.
crafted=$WORK/crafted
mkdir -p "$crafted/vintra/flash"
printf '5.005\t0\t0.5\t0\t1\t1\t0\n' >"$crafted/vintra/flash/flash.txt"
click='if(gte(t\,5.005)*lt(t\,5.1)\,0.8*sin(2*PI*1000*t)\,0)'
ffmpeg -v error -f lavfi -i "aevalsrc=$click|$click:s=44100:d=8" -c:a libmp3lame -b:a 192k \
  "$crafted/vintra/Ostrel.mp3" || fail "ffmpeg could not make the click track"
fps=60
for file in sync.mp4 sync.mkv sync.webm; do
  timeout -k 5 300 "$tarvel" --data "$crafted" --capture "$WORK/$file" --from 4.3 --to 5.5 \
    --fps $fps 2>err.txt || fail "--capture $file failed: $(tail -n 1 err.txt)"
  events=$(ffmpeg -hide_banner -i "$file" -vf blackdetect=d=0.01:pix_th=0.2 \
    -af silencedetect=n=-30dB:d=0.05 -f null - 2>&1)
  dark=$(grep -oE "black_start: *[0-9.]+" <<<"$events" | head -n 1 | grep -oE "[0-9.]+$")
  onset=$(grep -oE "silence_end: *[0-9.]+" <<<"$events" | head -n 1 | grep -oE "[0-9.]+$")
  [[ -n "$dark" && -n "$onset" ]] || fail "$file: no flash ($dark) or no click ($onset)"
  # The flash shows on the first frame at or after 5.005 s, so the click starts within that
  # frame's period (a few ms allowed for the codecs' delays).
  awk -v d="$dark" -v o="$onset" -v f=$fps 'BEGIN { exit !(o <= d + 0.004 && o >= d - 1 / f - 0.004) }' ||
    fail "$file: the flash is at $dark s but the click at $onset s"
  # Seeking to 4.3 s puts the click 0.705 s after the first frame.
  first=$(stream_field "$file" v:0 start_time)
  within "$(awk -v o="$onset" -v s="$first" 'BEGIN { print o - s }')" 0.695 0.715 ||
    fail "$file: the click is at $onset s, the first frame at $first s: not 0.705 s apart"
  [[ "$(ffprobe -v error -show_entries stream=codec_name -of csv=p=0 "$file" | tr '\n' ' ')" == \
    "$([[ $file == *.webm ]] && echo 'vp9 opus ' || echo 'h264 aac ')" ]] ||
    fail "$file does not hold the codecs its extension calls for"
done

# Failures: one line naming the file and the reason, status 1, nothing left behind.
expect_failure() { # expect_failure FILE REASON
  "$tarvel" --capture "$1" --from 9 --to 10 >/dev/null 2>err.txt
  status=$?
  [[ $status -eq 1 ]] || fail "--capture $1 ended with $status, not 1"
  [[ $(wc -l <err.txt) -eq 1 ]] || fail "--capture $1 printed more than one line: $(cat err.txt)"
  grep -q -- "$1" err.txt && grep -qi -- "$2" err.txt ||
    fail "--capture $1 should name the file and '$2': $(cat err.txt)"
  compgen -G "$1*" >/dev/null && fail "--capture $1 left $(compgen -G "$1*")"
  return 0
}
expect_failure out.xyz "unknown extension"
expect_failure no-such-dir/out.mp4 "no such file"
mkdir taken.mp4
"$tarvel" --capture taken.mp4 --to 1 >/dev/null 2>err.txt
[[ $? -eq 1 ]] && grep -qi "directory" err.txt || fail "a directory as the file was not refused"

# Without its video writer module the program refuses a video file, saying why, and records
# nothing; pictures and sound need no module.
mkdir alone && cp "$tarvel" alone/tarvel
alone/tarvel --capture alone.mp4 --from 10 --to 10.1 >/dev/null 2>err.txt
[[ $? -eq 1 ]] && grep -q "tarvel-video.so" err.txt || fail "a missing video module: $(cat err.txt)"
compgen -G "alone.mp4*" >/dev/null && fail "a recording without its module left a file"
alone/tarvel --capture alone.wav --from 10 --to 10.1 >/dev/null 2>&1 || fail "a WAV needed the video module"

# Interrupted: the temporary file goes, and nothing appears under the final name.
"$tarvel" --capture cut.mp4 >/dev/null 2>&1 &
pid=$!
for ((i = 0; i < 300; i++)); do
  compgen -G "cut.mp4.*" >/dev/null && break
  sleep 0.1
done
sleep 2
kill -TERM $pid
wait_for_exit $pid 30 || fail "the recording did not stop on SIGTERM"
compgen -G "cut.mp4*" >/dev/null && fail "an interrupted recording left $(compgen -G "cut.mp4*")"

# The frame times of a benchmark run as a chart and a table.
timeout -k 5 300 "$tarvel" --bench --from 10.5 --to 12.5 --fps 30 --chart frames.svg \
  --csv frames.csv >report.txt 2>/dev/null || fail "--bench --chart --csv failed"
rows=$(($(wc -l <frames.csv) - 1))
[[ $rows -ge 60 && $rows -le 61 ]] || fail "frames.csv has $rows rows for 2 s at 30 fps"
xmllint --noout frames.svg || fail "frames.svg is not well-formed"
[[ $(grep -c 'class="target"' frames.svg) -eq 2 ]] || fail "the chart lacks its 16.7/33.3 ms lines"
grep -q 'class="section"' frames.svg || fail "the chart marks no section boundary (11.52 s)"
# Its report: the run's own fill unit, and every section in milliseconds and in fill units.
awk '/^fill unit: / { found = ($3 > 0) } END { exit !found }' report.txt ||
  fail "the benchmark measured no positive fill unit: $(head -1 report.txt)"
grep -q '^section (s) .* median ms  p90 ms  median fu  p90 fu ' report.txt ||
  fail "the benchmark's table lacks a column: $(grep '^section' report.txt)"

echo "capture: all passed"
