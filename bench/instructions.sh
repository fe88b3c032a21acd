#!/usr/bin/env bash
# Instructions a frame, counted by valgrind's callgrind over every thread (llvmpipe's
# rasteriser threads and the shaders it compiles included): a count that does not move with
# the machine's load, for before/after comparisons that matter. One short run a section:
# the show from a moment before T (the warm-up, where llvmpipe compiles its shaders) to a few
# frames after it, --bench at the fixed step, dumped before every frame; the frames from T on
# are averaged, split into the program's own code, the rasteriser and the rest.
#   bench/instructions.sh [OPTIONS] BUILD [BUILD_B] [-- TARVEL OPTIONS…]
#     --at T,T,…     the moments (default: one in each of the show's nine sections)
#     --frames N     frames counted at each moment (default 6)
#     --size WxH     the frame size (default 800x600)
#     --runs N       run each moment N times and print how far the runs differ (default 1)
#     --jobs N       runs side by side (default 2; each callgrind run uses one core)
#     --b-options 'OPTIONS'  tarvel options for side B alone; with one BUILD, B is that build
#                    again (e.g. --b-options '--samples 4': what multisampling costs)
# e.g. bench/instructions.sh build/release
#      bench/instructions.sh --at 100 --runs 2 ../main/build/release build/release
#      bench/instructions.sh --size 1920x1080 build/release -- --samples 4
#      bench/instructions.sh --b-options '--samples 4' --at 20,100 build/release -- --samples 0
# Figures are millions of instructions a frame. The data set is the last build's (its data/
# directory) unless TARVEL_DATA names another. Each run takes one to three minutes.
set -u
usage() { sed -n '2,21p' "$0" >&2; exit 2; }

moments="-2,6,20,30,50,85,100,130,170"
frames=6 size=800x600 runs=1 jobs=2
builds=() optionsB=()
while [[ $# -gt 0 ]]; do
  case $1 in
    --at) moments=$2; shift 2 ;;
    --frames) frames=$2; shift 2 ;;
    --size) size=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    --b-options) read -r -a optionsB <<<"$2"; shift 2 ;;
    --) shift; break ;;
    -*) usage ;;
    *) builds+=("$(cd "$1" && pwd)") || exit 1; shift ;;
  esac
done
extra=("$@")
[[ ${#builds[@]} -ge 1 && ${#builds[@]} -le 2 ]] || usage
[[ ${#builds[@]} -eq 1 && ${#optionsB[@]} -gt 0 ]] && builds+=("${builds[0]}")
command -v valgrind >/dev/null || { echo "instructions: needs valgrind" >&2; exit 1; }
for build in "${builds[@]}"; do
  [[ -x $build/tarvel ]] || { echo "instructions: no tarvel in $build" >&2; exit 1; }
done
data=${TARVEL_DATA:-${builds[-1]}/data}
[[ -d $data/vintra ]] || { echo "instructions: no data set in $data" >&2; exit 1; }

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fps=30
warm=15  # frames before T: half a second, enough for every shader a moment needs

# One callgrind run: BUILD_INDEX MOMENT RUN -> a line "side moment run frames total program
# rasteriser other" in $work/rows.
measure() {
  local side=$1 at=$2 run=$3
  local out=$work/$side.$at.$run
  local from to
  from=$(awk -v t="$at" -v w=$warm -v f=$fps 'BEGIN { printf "%.6f", t - w / f }')
  to=$(awk -v t="$at" -v n="$frames" -v f=$fps 'BEGIN { printf "%.6f", t + (n + 0.5) / f }')
  mkdir -p "$out"
  # Two rasteriser threads on every machine, no display: the same work wherever it runs.
  (cd "$out" && env -u DISPLAY -u WAYLAND_DISPLAY LP_NUM_THREADS=2 \
    valgrind --tool=callgrind --dump-before='drawFrame(Session&)' \
    --callgrind-out-file="$out/cg" "${builds[$side]}/tarvel" --data "$data" --bench \
    --fps $fps --from "$from" --to "$to" --size "$size" "${extra[@]}" \
    $([[ $side == 1 ]] && echo "${optionsB[@]}") >log 2>&1) ||
    { echo "instructions: build $side failed at $at s (log: $out/log)" >&2; return 1; }
  local costs
  costs=$(python3 "$here/callgrind_costs.py" "$out/cg" $((warm + 1)) $((warm + frames))) ||
    return 1
  echo "$side $at $run $costs" >>"$work/rows"
  rm -rf "$out"
}

echo "instructions a frame (millions; callgrind, all threads, LP_NUM_THREADS=2), $size," \
  "$frames frames at $fps fps from each moment after $warm frames of warm-up${extra[*]:+; ${extra[*]}}"
letters=(A B)
for ((side = 0; side < ${#builds[@]}; side++)); do
  echo "${letters[$side]}: ${builds[$side]} ($("${builds[$side]}/tarvel" --version))" \
    "$([[ $side == 1 && ${#optionsB[@]} -gt 0 ]] && echo "with ${optionsB[*]}")"
done
echo "data: $data"

failed=0
for at in ${moments//,/ }; do
  for ((run = 1; run <= runs; run++)); do
    for ((side = 0; side < ${#builds[@]}; side++)); do
      while [[ $(jobs -rp | wc -l) -ge $jobs ]]; do wait -n || failed=1; done
      measure "$side" "$at" "$run" &
    done
  done
done
while [[ $(jobs -rp | wc -l) -gt 0 ]]; do wait -n || failed=1; done
[[ $failed == 0 && -s $work/rows ]] || exit 1

# Per moment and side: the mean over the runs, and the spread (largest minus smallest over
# the mean) of the totals.
awk -v sides=${#builds[@]} -v moments="${moments//,/ }" '
  { key = $1 " " $2; n[key]++
    for (i = 5; i <= 8; i++) sum[key, i] += $i
    if (!(key in lo) || $5 < lo[key]) lo[key] = $5
    if (!(key in hi) || $5 > hi[key]) hi[key] = $5 }
  END {
    header = sprintf("%8s", "at (s)")
    for (s = 0; s < sides; s++) {
      side = sprintf("%c", 65 + s)
      header = header sprintf("  %9s %9s %9s %7s %7s", side ": all", "program", "rasterise", "other", "spread")
    }
    if (sides == 2) header = header "     B/A"
    print header
    count = split(moments, at, " ")
    for (m = 1; m <= count; m++) {
      line = sprintf("%8s", at[m])
      for (s = 0; s < sides; s++) {
        key = s " " at[m]
        for (i = 5; i <= 8; i++) mean[s, i] = sum[key, i] / n[key] / 1e6
        spread = mean[s, 5] > 0 ? (hi[key] - lo[key]) / 1e6 / mean[s, 5] * 100 : 0
        line = line sprintf("  %9.1f %9.1f %9.1f %7.1f %6.2f%%", mean[s, 5], mean[s, 6], mean[s, 7], mean[s, 8], spread)
      }
      if (sides == 2) line = line sprintf("  %6.3f", mean[1, 5] / mean[0, 5])
      print line
    }
  }' "$work/rows"
