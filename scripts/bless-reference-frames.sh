#!/usr/bin/env bash
# Re-blesses the reference frames after a meant change of the picture: renders every moment
# of tests/e2e/reference/moments.txt and stores it, averaged down to 80 x 60.
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
while read -r name at; do
  render_moment "$build/tarvel" "$at" frame.png || { echo "--shot $at failed" >&2; exit 1; }
  "$build/tests/frame_compare" shrink frame.png "$refs/$name.png" 80 60
  echo "blessed $name ($at s)"
done < <(moments "$refs/moments.txt")
