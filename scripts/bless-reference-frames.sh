#!/usr/bin/env bash
# Re-blesses the golden schedule and the reference frames after a meant change of the show:
# stores `tarvel --schedule` of the generated data set as tests/e2e/reference/schedule.txt,
# picks a moment in the first second of every list entry and camera cut from it
# (schedule-moments.txt), renders those and the hand-chosen moments of moments.txt and
# stores each frame at 200 x 150. References of moments no longer listed are removed.
#   scripts/bless-reference-frames.sh [BUILD_DIR]   (default build/default, built first)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$(cd "${1:-build/default}" && pwd)
cmake --build "$build" --target tarvel vintra-gen frame_compare
refs=$root/tests/e2e/reference
source "$refs/render.bash"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/vintra-gen" "$work/vintra" >/dev/null 2>&1 || { echo "vintra-gen failed" >&2; exit 1; }
cd "$work"
env -u DISPLAY "$build/tarvel" --schedule >"$refs/schedule.txt"
echo "blessed schedule.txt ($(grep -vc '^#' "$refs/schedule.txt") entries)"
pick_schedule_moments "$refs/schedule.txt" >"$refs/schedule-moments.txt"

mkdir frames
render_moments "$build/tarvel" "$refs" frames
rm -f "$refs"/*.png
while read -r name at; do
  "$build/tests/frame_compare" shrink "frames/$name.png" "$refs/$name.png" "${REFERENCE_SIZE[@]}"
done < <(moments "$refs")
echo "blessed $(moments "$refs" | wc -l) reference frames"
