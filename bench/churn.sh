#!/usr/bin/env bash
# What start-up rounds cost and whether they pile up: the show in a window under Xvfb, ten
# F1 rounds (window, fullscreen, …) and eleven F12 reloads answered Yes, with resident
# memory, descriptors and threads after each round. Figures only, no verdict: compare the
# rows after the first two rounds (everything loaded once more) with the last. Memory is
# meaningful in a release build; under AddressSanitizer only the counts are.
#   bench/churn.sh [BUILD_DIR]     (default build/release; needs tarvel, vintra-gen and
#                                   tests/x-window there)
set -u
cd "$(dirname "$0")/.." || exit 1
build=$(cd "${1:-build/release}" && pwd) || exit 1
tarvel=$build/tarvel
xwindow=$build/tests/x-window
for tool in "$tarvel" "$build/vintra-gen" "$xwindow"; do
  [[ -x $tool ]] || { echo "churn: $tool is missing: build $build first" >&2; exit 1; }
done

work=$(mktemp -d)
cleanup() {
  [[ -n "${pid:-}" ]] && kill "$pid" 2>/dev/null
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
"$build/vintra-gen" "$work/vintra" >/dev/null 2>&1 || { echo "churn: vintra-gen failed" >&2; exit 1; }
cd "$work" || exit 1
touch logga
mkfifo display
Xvfb -displayfd 3 -noreset -screen 0 800x600x24 -nolisten tcp 3>display 2>/dev/null &
xvfb=$!
read -r -t 20 number <display || { echo "churn: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$number"

find_window() {
  local i id
  for ((i = 0; i < 1800; i++)); do
    id=$("$xwindow" find "$1" 2>/dev/null | head -n 1)
    [[ -n "$id" ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits until the log has announced $1 finished start-ups (every round loads everything).
wait_for_rounds() {
  local i
  for ((i = 0; i < 1800; i++)); do
    (($(grep -c "worldInit() ENDS" log.txt) >= $1)) && return 0
    sleep 0.1
  done
  return 1
}

row() {  # what
  printf '%-12s %10s %6s %8s\n' "$1" "$(awk '/VmRSS/ {print $2}' /proc/$pid/status)" \
    "$(ls /proc/$pid/fd | wc -l)" "$(ls /proc/$pid/task | wc -l)"
}

"$tarvel" --windowed >log.txt 2>&1 &
pid=$!
wait_for_rounds 1 || { echo "churn: the show did not start" >&2; exit 1; }
window=$(find_window "#Korrin - Tarvel") || { echo "churn: no window" >&2; exit 1; }
sleep 2
printf '%-12s %10s %6s %8s\n' round "rss kB" fds threads
row start
for ((round = 1; round <= 10; round++)); do
  xdotool windowfocus --sync "$window" key F1
  wait_for_rounds $((round + 1)) || { echo "churn: F1 did not start a new round" >&2; exit 1; }
  window=$(find_window "#Korrin - Tarvel") || { echo "churn: no window after F1" >&2; exit 1; }
  sleep 2
  row "F1 $round"
done
for ((round = 1; round <= 11; round++)); do
  xdotool windowfocus --sync "$window" key F12
  question=$(find_window "Reloade lists too?") || { echo "churn: F12 did not ask" >&2; exit 1; }
  sleep 0.3
  xdotool windowfocus --sync "$question" key Return
  sleep 2
  row "F12 $round"
done
xdotool windowfocus --sync "$window" key Escape
wait "$pid"
echo "churn: the program ended with $?"
pid=""
