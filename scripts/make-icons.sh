#!/usr/bin/env bash
# Renders the application icons (packaging/icons/N/tarvel.png) from one frame of the show:
# the morphing spider at 85 s, cropped square around it and scaled with ffmpeg. Run once
# when the picture changes; the icons are committed so building needs no GL.
# Usage: scripts/make-icons.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
data=vintra
[[ -d $data ]] || data=$build/data/vintra
env -u DISPLAY "$build/tarvel" --data "$(dirname "$data")" --shot 85 "$work/frame.png" \
  --from 84 --fps 30 >/dev/null
for size in 48 64 128 256; do
  mkdir -p "packaging/icons/$size"
  ffmpeg -v error -y -i "$work/frame.png" \
    -vf "crop=440:440:180:80,scale=$size:$size:flags=lanczos" \
    "packaging/icons/$size/tarvel.png"
done
echo "make-icons: wrote packaging/icons/{48,64,128,256}/tarvel.png"
