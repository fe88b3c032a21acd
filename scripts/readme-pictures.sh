#!/usr/bin/env bash
# The README's picture strip: one frame from each section of the generated show, rendered
# large with --shot and averaged down to a small picture under docs/.
#   scripts/readme-pictures.sh [BUILD_DIR]   (default build/default, built first)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$(cd "${1:-build/default}" && pwd)
cmake --build "$build" --target tarvel vintra-gen frame_compare
mkdir -p docs

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/vintra-gen" "$work/vintra" >/dev/null 2>&1 || { echo "vintra-gen failed" >&2; exit 1; }
cd "$work"
# name, show time: the opening words, the turntable, the character, the graffiti, the
# morphing model swollen on a kick, the tower, the landing after it, the credits.
while read -r name at; do
  from=$(awk -v t="$at" 'BEGIN { printf "%.2f", t - 1 }')
  env -u DISPLAY "$build/tarvel" --from "$from" --shot "$at" frame.png --fps 20 --size 1600x1200 \
    >/dev/null 2>&1
  "$build/tests/frame_compare" shrink frame.png "$root/docs/$name.png" 200 150
  echo "docs/$name.png ($at s)"
done <<'LIST'
opening 8.4
turntable 20
character 30
graffiti 50
morph 85.068
tower 100
landing 123.4
credits 170.5
LIST
