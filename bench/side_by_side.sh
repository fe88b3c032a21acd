#!/usr/bin/env bash
# Two builds' --bench, run alternately on one data set (A B, B A, A B, …), each section's
# median and 90th percentile in milliseconds and in fill units, and B over A in fill units.
# A build whose --bench measures no fill unit (one from before it existed) is given the unit
# that the other build's run of the same round measured, taken right before or after it.
# Memory and start-up are per build, the median over the rounds.
#   bench/side_by_side.sh BUILD_A BUILD_B [ROUNDS [BENCH OPTIONS…]]
# e.g. bench/side_by_side.sh ../main/build/release build/release 3
#      bench/side_by_side.sh A B 5 --from 94 --to 123     (the tower scene only)
# The data set is BUILD_B's (its data/ directory) unless TARVEL_DATA names another; KEEP=1
# keeps every run's report and names the directory.
set -u
[[ $# -ge 2 ]] || { sed -n '2,11p' "$0" >&2; exit 2; }
declare -A build
build[A]=$(cd "$1" && pwd) || exit 1
build[B]=$(cd "$2" && pwd) || exit 1
rounds=${3:-3}
shift $(($# < 3 ? $# : 3))
data=${TARVEL_DATA:-${build[B]}/data}
for side in A B; do
  [[ -x ${build[$side]}/tarvel ]] || { echo "side_by_side: no tarvel in ${build[$side]}" >&2; exit 1; }
done
[[ -d $data/vintra ]] || { echo "side_by_side: no data set in $data" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[[ -n ${KEEP:-} ]] && trap - EXIT && echo "work: $work"
echo "A: ${build[A]}  ($("${build[A]}/tarvel" --version))"
echo "B: ${build[B]}  ($("${build[B]}/tarvel" --version))"
echo "data: $data; --bench $*; $rounds rounds, load before: $(cut -d' ' -f1-3 /proc/loadavg)"

for ((round = 1; round <= rounds; round++)); do
  order="A B"
  ((round % 2 == 0)) && order="B A"
  for side in $order; do
    "${build[$side]}/tarvel" --data "$data" --bench "$@" >"$work/$side.$round" 2>/dev/null ||
      { echo "side_by_side: build $side failed in round $round" >&2; exit 1; }
  done
done

# One row per run and section: side round start end median p90 fill-unit; and the memory.
for file in "$work"/[AB].*; do
  side=${file##*/}
  awk -v side="${side%%.*}" -v round="${side#*.}" '
    /^fill unit: / { unit = $3 }
    /^ *-?[0-9.]+ - +[0-9.]+ / { row[++n] = $1 " " $3 " " $5 " " $6 }
    /^peak memory: / { peak = $3 }
    /^start-up: / { startup = $2; startupMiB = $(NF - 1) }
    END {
      for (i = 1; i <= n; i++) print side, round, row[i], unit + 0
      print side, round, "memory", peak, startup, startupMiB
    }' "$file"
done >"$work/rows"

awk '
  function median(list, count,   i, j, t, v) {
    split(list, v, " ")
    for (i = 1; i <= count; i++)
      for (j = i + 1; j <= count; j++)
        if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
    return count % 2 ? v[(count + 1) / 2] : (v[count / 2] + v[count / 2 + 1]) / 2
  }
  $3 == "memory" { mem[$1] = mem[$1] " " $4; up[$1] = up[$1] " " $5; upMiB[$1] = upMiB[$1] " " $6
                   memN[$1]++; next }
  {
    key = $3 " - " $4; if (!(key in seen)) { seen[key] = 1; order[++sections] = key }
    unit[$1, $2] = $7
    rows[$1, $2, key] = $5 " " $6
  }
  END {
    for (s = 1; s <= sections; s++) {
      key = order[s]
      for (side = 1; side <= 2; side++) {
        name = side == 1 ? "A" : "B"; other = side == 1 ? "B" : "A"
        ms = ""; p9 = ""; fu = ""; f9 = ""; n = 0
        for (r = 1; (name, r, key) in rows; r++) {
          split(rows[name, r, key], v, " ")
          u = unit[name, r] > 0 ? unit[name, r] : unit[other, r]
          ms = ms " " v[1]; p9 = p9 " " v[2]; n++
          if (u > 0) { fu = fu " " v[1] / u; f9 = f9 " " v[2] / u; units[name] = units[name] " " u }
        }
        med[name, key] = median(ms, n); p90[name, key] = median(p9, n)
        medU[name, key] = fu == "" ? 0 : median(fu, n); p90U[name, key] = f9 == "" ? 0 : median(f9, n)
      }
    }
    printf "fill unit (median over its runs): A %.3f ms, B %.3f ms\n",
      median(units["A"], split(units["A"], x, " ")), median(units["B"], split(units["B"], y, " "))
    printf "%-17s | %9s %7s %9s %7s | %9s %7s %9s %7s | %8s\n", "section (s)",
      "A med ms", "p90 ms", "med fu", "p90 fu", "B med ms", "p90 ms", "med fu", "p90 fu", "B/A fu"
    for (s = 1; s <= sections; s++) {
      key = order[s]
      if (med["A", key] == 0 && med["B", key] == 0) continue  # outside --from/--to
      printf "%-17s | %9.2f %7.2f %9.2f %7.2f | %9.2f %7.2f %9.2f %7.2f | %8.3f\n", key,
        med["A", key], p90["A", key], medU["A", key], p90U["A", key],
        med["B", key], p90["B", key], medU["B", key], p90U["B", key],
        (medU["A", key] > 0 ? medU["B", key] / medU["A", key] : 0)
    }
    for (side = 1; side <= 2; side++) {
      name = side == 1 ? "A" : "B"
      printf "%s: peak memory %.1f MiB, start-up %.0f ms at %.1f MiB\n", name,
        median(mem[name], memN[name]), median(up[name], memN[name]), median(upMiB[name], memN[name])
    }
  }' "$work/rows"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
