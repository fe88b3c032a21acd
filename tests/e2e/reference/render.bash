# Shared by the reference-frame test and its re-bless script: the moments and how they are
# rendered (offscreen, at a fixed REFERENCE_FPS frames a second, from one second before the
# first moment of a run; moments at most RUN_GAP seconds apart share one run). A moment's
# frame is the first at or after its time.
# shellcheck shell=bash

REFERENCE_SIZE=(200 150)
REFERENCE_FPS=10
RUN_GAP=4
SHOW_END=185

# Every moment as "name time", the hand-chosen ones and those picked from the schedule,
# in show-time order.
moments() {
  local dir=$1
  cat "$dir/moments.txt" "$dir/schedule-moments.txt" 2>/dev/null |
    grep -v '^#' | grep -v '^[[:space:]]*$' | sort -k2,2g
}

# render_moment TARVEL TIME FILE [OPTION...], in a directory that holds the data set as
# ./vintra.
render_moment() {
  local from
  from=$(awk -v t="$2" 'BEGIN { printf "%.2f", t - 1 }')
  env -u DISPLAY timeout -k 5 600 "$1" --from "$from" --shot "$2" "$3" --fps 20 "${@:4}" \
    >/dev/null 2>&1
}

# The runs: one line per run, "from name time name time ...".
moment_runs() {
  moments "$1" | awk -v gap="$RUN_GAP" '
    function flush() { if (line != "") print line }
    { if (line == "" || $2 - last > gap) { flush(); line = sprintf("%.2f", $2 - 1) }
      line = line " " $1 " " $2; last = $2 }
    END { flush() }'
}

# render_moments TARVEL REFERENCE_DIR OUT_DIR [OPTION...], in a directory that holds the
# data set as ./vintra: writes OUT_DIR/NAME.png for every moment; false naming the run that
# failed. The options go to every run.
render_moments() {
  local tarvel=$1 dir=$2 out=$3 from name at
  local -a extra=("${@:4}")
  local -a run shots
  while read -r -a run; do
    from=${run[0]}
    shots=()
    for ((i = 1; i < ${#run[@]}; i += 2)); do
      name=${run[i]}
      at=${run[i + 1]}
      shots+=(--shot "$at" "$out/$name.png")
    done
    if ! env -u DISPLAY timeout -k 5 600 "$tarvel" --from "$from" "${shots[@]}" \
      --fps "$REFERENCE_FPS" "${extra[@]}" \
      >/dev/null 2>&1; then
      echo "the run from $from s (${run[*]:1}) failed" >&2
      return 1
    fi
  done < <(moment_runs "$dir")
}

# pick_schedule_moments SCHEDULE: a moment half a second into every list entry, flash and
# camera cut of a `tarvel --schedule` listing (less when the entry is shorter), unless a
# moment already picked falls in that entry's first second; entries that start after the
# show has ended are left out. An entry split into drawn and hidden stretches counts once,
# by its first stretch and its stored times ("entry A to B"). Names: list-line-start.
pick_schedule_moments() {
  echo "# Picked from the golden schedule by scripts/bless-reference-frames.sh: name, show time."
  grep -v '^#' "$1" | grep -E '\.txt:[0-9]+' | awk -v show_end="$SHOW_END" '
    $1 + 0.5 >= show_end { next }
    {
      start = $1; end = $2; source = ""
      for (i = 3; i <= NF; i++) {
        field = $i; sub(/;$/, "", field)
        if (source == "" && field ~ /\.txt:[0-9]+$/) source = field
        if ($i == "entry" && $(i + 2) == "to") {
          if ($(i + 1) != $1) next
          end = $(i + 3); sub(/;$/, "", end)
        }
      }
      n = split(source, parts, /[\/:]/)
      list = parts[n - 1]; sub(/\.txt$/, "", list)
      first = start + 1 < end ? start + 1 : end
      covered = 0
      for (k = 1; k <= count; k++) if (picked[k] >= start && picked[k] <= first) covered = 1
      if (covered) next
      at = start + (first - start) / 2
      picked[++count] = at
      printf "%s-%s-%.2f %.3f\n", tolower(list), parts[n], start, at
    }'
}
