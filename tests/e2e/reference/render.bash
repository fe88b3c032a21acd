# Shared by the reference-frame test and its re-bless script: the moments and how one is
# rendered (from one second before, at a fixed 20 frames a second, offscreen).
# shellcheck shell=bash

moments() {
  grep -v '^#' "$1" | grep -v '^[[:space:]]*$'
}

# render_moment TARVEL TIME FILE [OPTION...], in a directory that holds the data set as
# ./vintra.
render_moment() {
  local from
  from=$(awk -v t="$2" 'BEGIN { printf "%.2f", t - 1 }')
  env -u DISPLAY timeout -k 5 600 "$1" --from "$from" --shot "$2" "$3" --fps 20 "${@:4}" \
    >/dev/null 2>&1
}
