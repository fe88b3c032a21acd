#!/usr/bin/env bash
# Start-up rounds do not pile up: F1 (window, fullscreen, window, … on a screen that has
# the 800 x 600 mode) and F12 answered Yes free what the round before created. Resident
# memory stays within 10 MB of what it was after the first round; descriptors and threads
# do not grow.
set -u
[[ -n "${E2E_TRACE:-}" ]] && set -x
tarvel=$1
data=$2
XWINDOW=$3
source "$(dirname "$0")/lib.bash"

enter_work_dir "$data"
start_xvfb 800x600x24
touch logga

usage() {
  echo "$(awk '/VmRSS/ {print $2}' /proc/$pid/status) $(ls /proc/$pid/fd | wc -l) $(ls /proc/$pid/task | wc -l)"
}

# Checks a later "rss fds threads" against the first.
check_growth() {
  local what=$1 first=$2 last=$3
  read -r rss0 fds0 threads0 <<<"$first"
  read -r rss1 fds1 threads1 <<<"$last"
  # AddressSanitizer holds freed memory back on purpose: there only the counts tell.
  if ! grep -q __asan_init "$tarvel"; then
    ((rss1 - rss0 < 10240)) || fail "$what: resident memory grew from $rss0 to $rss1 kB"
  fi
  ((fds1 <= fds0)) || fail "$what: descriptors grew from $fds0 to $fds1"
  ((threads1 <= threads0)) || fail "$what: threads grew from $threads0 to $threads1"
}

"$tarvel" --windowed >log.txt 2>&1 &
pid=$!
window=$(wait_for_window "#Korrin - Tarvel" 60) || fail "the show window did not open"
sleep 1

toggle() {
  xdotool windowfocus --sync "$window" key F1
  sleep 1
  window=$(wait_for_window "#Korrin - Tarvel" 60) || fail "no window after F1"
  sleep 1
}
toggle
toggle
first=$(usage)
for ((i = 0; i < 8; i++)); do toggle; done
check_growth "8 more F1 rounds" "$first" "$(usage)"

reload() {
  xdotool windowfocus --sync "$window" key F12
  local question
  question=$(wait_for_window "Reloade lists too?" 30) || fail "F12 did not ask"
  sleep 0.3
  xdotool windowfocus --sync "$question" key Return
  sleep 1
}
reload
first=$(usage)
for ((i = 0; i < 10; i++)); do reload; done
check_growth "10 more reloads" "$first" "$(usage)"
[[ $(grep -c "Read .* rows" log.txt) -ge 50 ]] || fail "the reloads did not re-read the lists"

xdotool windowfocus --sync "$window" key Escape
expect_exit $pid 0 "Escape"

echo "churn: all passed"
