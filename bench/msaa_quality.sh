#!/usr/bin/env bash
# What multisampling is worth: stills at chosen moments at SIZE with --samples 0 and with
# --samples N, each against a reference rendered at four times the size without samples (16
# ordered samples a pixel) and averaged down; the PSNR of each over the 4:3 picture, and the
# gain. With --crops DIR, a side-by-side crop of an edge per moment (no samples, samples,
# reference; each twice as large, nearest neighbour) as a small PNG. --keep DIR keeps the
# frames there and renders only those missing (to cut other crops from them).
#   bench/msaa_quality.sh [--size WxH] [--scale K] [--samples N] [--crops DIR] [--keep DIR]
#                         BUILD [T[:X,Y] ...]
# T: a show time; X,Y: the top left of the crop in the still (default the picture's centre).
# e.g. bench/msaa_quality.sh --crops docs build/release 20:700,250 110:560,420
set -u
usage() { sed -n '2,10p' "$0" >&2; exit 2; }

size=1920x1080 scale=4 samples=4 crops="" keep=""
while [[ $# -gt 0 ]]; do
  case $1 in
    --size) size=$2; shift 2 ;;
    --scale) scale=$2; shift 2 ;;
    --samples) samples=$2; shift 2 ;;
    --crops) crops=$(mkdir -p "$2" && cd "$2" && pwd) || exit 1; shift 2 ;;
    --keep) keep=$(mkdir -p "$2" && cd "$2" && pwd) || exit 1; shift 2 ;;
    -*) usage ;;
    *) break ;;
  esac
done
[[ $# -ge 1 ]] || usage
build=$(cd "$1" && pwd) || exit 1
shift
moments=("$@")
[[ ${#moments[@]} -gt 0 ]] || moments=(5 20 85.2 110 124.8 170.5)
compare=$build/tests/frame_compare
[[ -x $compare ]] || compare=$(dirname "$build")/default/tests/frame_compare
[[ -x $build/tarvel && -x $compare ]] || { echo "msaa_quality: needs tarvel and frame_compare" >&2; exit 1; }
data=${TARVEL_DATA:-$build/data}

width=${size%x*} height=${size#*x}
big=$((width * scale))x$((height * scale))
# The 4:3 picture in the frame, as the letterbox places it.
pw=$((height * 4 / 3)) ph=$height
((pw > width)) && { pw=$width; ph=$((width * 3 / 4)); }
px=$(((width - pw) / 2)) py=$(((height - ph) / 2))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
frames=${keep:-$work}

shot() { # shot TIME FILE SIZE SAMPLES
  [[ -n $keep && -s $2 ]] && return 0
  env -u DISPLAY "$build/tarvel" --data "$data" --shot "$1" "$2" --size "$3" --samples "$4" \
    >/dev/null 2>&1 || { echo "msaa_quality: --shot $1 --size $3 --samples $4 failed" >&2; exit 1; }
}
psnr() { # psnr REFERENCE STILL: the still's picture against the reference's, averaged down
  ffmpeg -v error -y -i "$2" -vf "crop=$pw:$ph:$px:$py" "$work/picture.png"
  "$compare" psnr "$1" "$work/picture.png" 0 $((px * scale)) $((py * scale)) \
    $((pw * scale)) $((ph * scale)) | grep -oE '[0-9.]+ dB' | cut -d' ' -f1
}

echo "PSNR over the 4:3 picture at $size against $big without samples averaged down"
printf '%-8s %10s %10s %8s\n' "time" "samples 0" "samples $samples" "gain"
for moment in "${moments[@]}"; do
  at=${moment%%:*}
  plainFile=$frames/$at-$size-0.png sampledFile=$frames/$at-$size-$samples.png
  bigFile=$frames/$at-$big-0.png
  shot "$at" "$plainFile" "$size" 0
  shot "$at" "$sampledFile" "$size" "$samples"
  shot "$at" "$bigFile" "$big" 0
  plain=$(psnr "$bigFile" "$plainFile")
  sampled=$(psnr "$bigFile" "$sampledFile")
  printf '%-8s %7s dB %7s dB %5s dB\n' "$at" "$plain" "$sampled" \
    "$(awk -v a="$plain" -v b="$sampled" 'BEGIN { printf "%+.1f", b - a }')"
  if [[ -n $crops ]]; then
    corner=${moment#*:}
    [[ $corner == "$moment" ]] && corner="$((width / 2 - 60)),$((height / 2 - 45))"
    x=${corner%,*} y=${corner#*,}
    "$compare" shrink "$bigFile" "$work/down.png" "$width" "$height" >/dev/null
    # No samples | samples | reference, 120 x 90 each at twice the size, 2 px apart.
    ffmpeg -v error -y -i "$plainFile" -i "$sampledFile" -i "$work/down.png" \
      -filter_complex "[0]crop=120:90:$x:$y,scale=240:180:flags=neighbor,pad=242:180[a];[1]crop=120:90:$x:$y,scale=240:180:flags=neighbor,pad=242:180[b];[2]crop=120:90:$x:$y,scale=240:180:flags=neighbor[c];[a][b][c]hstack=3,split[s0][s1];[s0]palettegen=max_colors=128[p];[s1][p]paletteuse=dither=none" \
      "$crops/msaa-${at//./_}.png" || echo "msaa_quality: no crop at $at" >&2
  fi
done
