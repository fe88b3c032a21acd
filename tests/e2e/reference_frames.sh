#!/usr/bin/env bash
# Reference frames: chosen moments of the generated show (one or more per section, and one
# in the first second of every list entry and camera cut, picked from the schedule), each
# compared block by block with a stored picture. A differing moment is named with its
# worst block, and the frame got is written beside its reference as NAME.got.png. The
# hand-chosen moments once more through the multisampled path with one sample a pixel:
# byte for byte the same frames.
set -u
tarvel=$1
data=$2
compare=$5
here=$(cd "$(dirname "$0")" && pwd)
refs=$here/reference
source "$here/lib.bash"
source "$refs/render.bash"

enter_work_dir "$data"
mkdir -p frames
render_moments "$tarvel" "$refs" frames || fail "rendering the moments failed"

failed=0
while read -r name at; do
  if [[ ! -f "$refs/$name.png" ]]; then
    echo "FAIL: no reference for $name ($at s); run scripts/bless-reference-frames.sh" >&2
    failed=1
    continue
  fi
  if ! result=$("$compare" compare "frames/$name.png" "$refs/$name.png" "$refs/$name.got.png"); then
    echo "FAIL: $name at $at s differs from its reference: $result;" \
      "got tests/e2e/reference/$name.got.png" >&2
    failed=1
  else
    echo "$name at $at s: $result"
    rm -f "$refs/$name.got.png"
  fi
done < <(moments "$refs")

# One sample a pixel draws into the multisampled path's framebuffers and reads back the
# resolved picture (the overlays' copies, the tower's stencil shadows): the very frames.
mkdir -p hand single
cp "$refs/moments.txt" hand/
render_moments "$tarvel" hand single --samples 1 || fail "rendering with --samples 1 failed"
while read -r name at; do
  if ! cmp -s "frames/$name.png" "single/$name.png"; then
    echo "FAIL: $name at $at s with --samples 1 differs from the frame without samples:" \
      "$("$compare" same "frames/$name.png" "single/$name.png")" >&2
    failed=1
  fi
done < <(moments hand)

[[ $failed -eq 0 ]] || exit 1
echo "reference frames: all passed, and the same with one sample a pixel"
