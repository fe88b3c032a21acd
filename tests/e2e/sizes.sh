#!/usr/bin/env bash
# Any output size. A 1600 x 1200 frame shrunk to 800 x 600 shows what the 800 x 600 frame
# shows at every reference moment, while one sprite moved by about three pixels (of 800)
# does not pass; a 1920 x 1080 frame is the same picture centred between black pillars. A
# resized window and fullscreen on a 1920 x 1080 screen letterbox the picture; fullscreen
# asks nothing and leaves the screen's mode alone.
set -u
[[ -n "${E2E_TRACE:-}" ]] && set -x
tarvel=$1
data=$2
XWINDOW=$3
compare=$5
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.bash"
source "$here/reference/render.bash"

# Every moment renders at 1600 x 1200 above this against 800 x 600 (the tower, the
# lowest, about 31 dB); the opening with one background sprite 0.01 to the side: 27 dB.
psnr_limit=28

enter_work_dir "$data"

while read -r name at; do
  render_moment "$tarvel" "$at" small.png || fail "--shot $at failed"
  render_moment "$tarvel" "$at" large.png --size 1600x1200 || fail "--shot $at --size failed"
  [[ "$(png_size large.png)" == "1600x1200" ]] || fail "--size 1600x1200 wrote $(png_size large.png)"
  result=$("$compare" psnr large.png small.png $psnr_limit) ||
    fail "$name at $at s: 1600 x 1200 shrunk differs from 800 x 600: $result"
  echo "$name at $at s, 1600 x 1200: $result"
  [[ $name == opening ]] && cp small.png opening.png
done < <(grep -v '^#' "$here/reference/moments.txt" | grep -v '^[[:space:]]*$')

# The check itself: the opening's fourth tag a little to the right.
mkdir moved
cp -rs "$data/vintra" moved/vintra
list=moved/vintra/tags/256/tagback.txt
sed 's/^\(qelvo.jpg\t16\t1\t5\t2\t\)0.35\t/\10.36\t/' "$(readlink "$list")" >moved.txt
mv moved.txt "$list"
cmp -s "$list" "$data/vintra/tags/256/tagback.txt" && fail "the sprite was not moved"
(cd moved && render_moment "$tarvel" 8.4 ../large.png --size 1600x1200) || fail "moved: --shot failed"
result=$("$compare" psnr large.png opening.png $psnr_limit) &&
  fail "a sprite moved by 0.01 passed the size comparison: $result"

render_moment "$tarvel" 20 small.png || fail "--shot 20 failed"
render_moment "$tarvel" 20 wide.png --size 1920x1080 || fail "--shot 20 --size 1920x1080 failed"
[[ "$(png_size wide.png)" == "1920x1080" ]] || fail "--size 1920x1080 wrote $(png_size wide.png)"
"$compare" bars wide.png 240 0 1440 1080 >/dev/null ||
  fail "1920 x 1080: not black pillars around a 1440 x 1080 picture: $("$compare" bars wide.png 240 0 1440 1080)"
result=$("$compare" psnr wide.png small.png $psnr_limit 240 0 1440 1080) ||
  fail "1920 x 1080: the centred picture differs from 800 x 600: $result"

for bad in 1920 0x600 800x600x2 99999x600; do
  "$tarvel" --shot 1 x.png --size "$bad" >/dev/null 2>&1
  [[ $? -eq 2 ]] || fail "--size $bad was not refused with status 2"
done
"$tarvel" --windowed --size 1024x768 >/dev/null 2>&1
[[ $? -eq 2 ]] || fail "--size without an offline mode was not refused with status 2"

# Grabs the screen's W x H at X, Y into $1, without the pointer.
grab() {
  ffmpeg -v error -y -f x11grab -draw_mouse 0 -video_size "$4x$5" -i "$DISPLAY+$2,$3" \
    -frames:v 1 "$1" || fail "could not grab the screen"
}

# In a window from 18 to 22 s the picture is bright to its edges, the bars black.
start_xvfb 1920x1080x24
screen=$(xdpyinfo | grep dimensions)
"$tarvel" --windowed --fps 20 --loop 18 22 >/dev/null 2>&1 &
pid=$!
window=$(wait_for_window "#Korrin - Tarvel" 60) || fail "the show window did not open"
sleep 1
xdotool windowsize --sync "$window" 1000 500
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
[[ "$WIDTH x $HEIGHT" == "1000 x 500" ]] || fail "the window was not resized: $WIDTH x $HEIGHT"
grab window.png "$X" "$Y" 1000 500
# The picture: 667 x 500 (4:3, rounded), 166 pixels in.
result=$("$compare" bars window.png 166 0 667 500) ||
  fail "a 1000 x 500 window does not letterbox a 667 x 500 picture: $result"
kill "$pid"
wait "$pid" 2>/dev/null

"$tarvel" --fullscreen --fps 20 --loop 18 22 >/dev/null 2>&1 &
pid=$!
window=$(wait_for_window "#Korrin - Tarvel" 60) || fail "the fullscreen window did not open"
sleep 2
[[ $("$XWINDOW" find "#Korrin - Tarvel" | wc -l) -eq 1 ]] || fail "fullscreen asked a question"
eval "$(xdotool getwindowgeometry --shell "$window")"
[[ "$X $Y $WIDTH $HEIGHT" == "0 0 1920 1080" ]] ||
  fail "fullscreen does not cover the screen: $WIDTH x $HEIGHT at $X, $Y"
[[ "$(xdpyinfo | grep dimensions)" == "$screen" ]] || fail "fullscreen changed the screen's mode"
grab screen.png 0 0 1920 1080
result=$("$compare" bars screen.png 240 0 1440 1080) ||
  fail "fullscreen on 1920 x 1080 does not letterbox a 1440 x 1080 picture: $result"
xdotool windowfocus --sync "$window" key Escape
expect_exit "$pid" 0 "Escape in fullscreen"
[[ "$(xdpyinfo | grep dimensions)" == "$screen" ]] || fail "the screen's mode changed after fullscreen"

echo "sizes: all passed"
