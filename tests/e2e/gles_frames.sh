#!/usr/bin/env bash
# The GL layer against fixed-function GL: every reference moment rendered through both
# renderers in the same way, compared pixel for pixel (frame_compare same: the PSNR over
# the whole frame and the worst 5 x 5 block). Rounding may differ a little; geometry,
# texture placement, blending, stencil and timing may not. The suite renders small frames
# to stay quick; GLES_FRAMES_SIZE=800x600 gives the full-size figures, GLES_FRAMES_KEEP=DIR
# keeps the frames there, and GLES_FRAMES_MOMENTS=hand takes only the hand-chosen moments
# (the sanitizer build's run, which looks for memory faults rather than pictures).
set -u
tarvel=$1
data=$2
compare=$5
size=${GLES_FRAMES_SIZE:-200x150}
here=$(cd "$(dirname "$0")" && pwd)
refs=$here/reference
source "$here/lib.bash"
source "$refs/render.bash"

enter_work_dir "$data"
if [[ ${GLES_FRAMES_MOMENTS:-all} == hand ]]; then
  mkdir -p hand-moments
  cp "$refs/moments.txt" hand-moments/
  refs=$PWD/hand-moments
fi
frames=${GLES_FRAMES_KEEP:-$PWD/gles-frames}
mkdir -p "$frames/gl" "$frames/gles"
for renderer in gl gles; do
  render_moments "$tarvel" "$refs" "$frames/$renderer" --renderer "$renderer" --size "$size" ||
    fail "rendering the moments through --renderer $renderer failed"
done

failed=0
count=0
while read -r name at; do
  count=$((count + 1))
  if ! result=$("$compare" same "$frames/gl/$name.png" "$frames/gles/$name.png"); then
    echo "FAIL: $name at $at s: the GL layer's frame differs from fixed-function GL's:" \
      "$result" >&2
    failed=1
  else
    echo "$name at $at s: $result"
  fi
done < <(moments "$refs")

[[ $failed -eq 0 ]] || exit 1
echo "GL layer frames: all $count moments match fixed-function GL at $size"
