#!/usr/bin/env bash
# An hour of abuse: the show in a real window under Xvfb, looping over the whole show with
# the authoring keys pressed as an author would, built with AddressSanitizer and
# UndefinedBehaviorSanitizer. F12 (answered Yes) every 30 s, F11 to a random time every
# 20 to 60 s, F1 every 5 minutes, a list file saved every 10 s (renamed over and rewritten
# in place by turns) for --watch to read. Resident memory, descriptors and threads are
# sampled every 10 s; at the end it reports them with the GL errors and sanitizer findings.
#   scripts/soak.sh [BUILD_DIR [SECONDS [DATA_DIR]]]   (default build/asan, 3600)
# DATA_DIR holds a generated vintra/ to copy (a sanitized generator is slow); without it
# BUILD_DIR's vintra-gen makes one.
# Leaves soak.csv (seconds, rss kB, descriptors, threads, round) and soak.log (the
# program's output) in the directory it was started from. Run it under nice: it is long.
set -u
cd "$(dirname "$0")/.." || exit 1
root=$(pwd)
build=$(cd "${1:-build/asan}" && pwd) || exit 1
duration=${2:-3600}
data=${3:+$(cd "$3" && pwd)}
out=$OLDPWD
tarvel=$build/tarvel
xwindow=$build/tests/x-window
for tool in "$tarvel" "$build/vintra-gen" "$xwindow"; do
  [[ -x $tool ]] || { echo "soak: $tool is missing: build $build first" >&2; exit 1; }
done
csv=$out/soak.csv
log=$out/soak.log

work=$(mktemp -d)
cleanup() {
  [[ -n "${pid:-}" ]] && kill "$pid" 2>/dev/null
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
if [[ -n "$data" ]]; then
  cp -r "$data/vintra" "$work/vintra" || exit 1
else
  "$build/vintra-gen" "$work/vintra" >/dev/null 2>&1 || { echo "soak: vintra-gen failed" >&2; exit 1; }
fi
cd "$work" || exit 1
touch logga  # the authoring keys (F11, F12) act only with the log on

fifo=$work/display
mkfifo "$fifo"
# 800 x 600 so that F1 finds the fullscreen mode.
Xvfb -displayfd 3 -noreset -screen 0 800x600x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
xvfb=$!
read -r -t 20 number <"$fifo" || { echo "soak: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$number"

mkdir -p "$work/sanitizer"
# A small quarantine, so that freed memory held back by the sanitizer does not read as growth.
export ASAN_OPTIONS="log_path=$work/sanitizer/asan:detect_leaks=0:quarantine_size_mb=16"
export UBSAN_OPTIONS="log_path=$work/sanitizer/ubsan:print_stacktrace=1"

find_window() {  # title, seconds
  local id
  for ((i = 0; i < ${2:-30} * 10; i++)); do
    id=$("$xwindow" find "$1" 2>/dev/null | head -n 1)
    [[ -n "$id" ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

rounds=0       # program starts
abnormal=0     # ends other than by the script
missed=0       # a key whose dialog or window did not come
f12=0 f11=0 f1=0 saves=0
start_show() {
  "$tarvel" --windowed --watch --loop 0 184 >>"$log" 2>&1 &
  pid=$!
  rounds=$((rounds + 1))
  window=$(find_window "#Korrin - Tarvel" 120) || { missed=$((missed + 1)); window=""; }
}

# A dialog that did not go away (a question answered by a key that went astray) is
# answered with Return, so the show goes on.
answer_stray_dialogs() {
  local id
  for title in "Reloade lists too?" "Input" "Pause"; do
    id=$("$xwindow" find "$title" 2>/dev/null | head -n 1)
    [[ -n "$id" ]] && xdotool windowfocus --sync "$id" key Return 2>/dev/null
  done
}

# A key to the show's window; a window id gone stale (a slow F1) is looked up again.
press() {  # key
  [[ -n "$window" ]] && xdotool windowfocus --sync "$window" key "$1" 2>/dev/null && return 0
  window=$(find_window "#Korrin - Tarvel" 60) || { missed=$((missed + 1)); window=""; return 1; }
  xdotool windowfocus --sync "$window" key "$1" 2>/dev/null || { missed=$((missed + 1)); return 1; }
}

reload() {
  press F12 || return
  local question
  if question=$(find_window "Reloade lists too?" 30); then
    sleep 0.3
    xdotool windowfocus --sync "$question" key Return 2>/dev/null
    f12=$((f12 + 1))
  else
    missed=$((missed + 1))
  fi
}

seek() {
  press F11 || return
  local dialog
  if dialog=$(find_window "Input" 30); then
    sleep 0.3
    xdotool windowfocus --sync "$dialog" type --delay 20 "$((RANDOM % 184))" 2>/dev/null
    xdotool key Return 2>/dev/null
    f11=$((f11 + 1))
  else
    missed=$((missed + 1))
  fi
}

toggle() {
  local before=$window
  press F1 || return
  # The next round's window, not the old one a slow F1 has not torn down yet.
  window=""
  for ((i = 0; i < 1200; i++)); do
    sleep 0.1
    window=$("$xwindow" find "#Korrin - Tarvel" 2>/dev/null | grep -vx "$before" | head -n 1)
    [[ -n "$window" ]] && break
  done
  [[ -n "$window" ]] || missed=$((missed + 1))
  f1=$((f1 + 1))
}

# Saves alternate between the two patterns --watch must both see: a rename over the list
# and a rewrite in place. The content changes each time (a comment), the rows stay.
save_list() {
  local list=vintra/flash/flash.txt
  if ((saves % 2 == 0)); then
    { cat "$list"; echo "# saved $saves"; } >"$list.new" && mv "$list.new" "$list"
  else
    local content
    content=$(cat "$list")
    printf '%s\n# saved %s\n' "$content" "$saves" >"$list"
  fi
  saves=$((saves + 1))
}

sample() {
  [[ -d /proc/$pid ]] || return
  local rss fds threads
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null)
  fds=$(ls "/proc/$pid/fd" 2>/dev/null | wc -l)
  threads=$(ls "/proc/$pid/task" 2>/dev/null | wc -l)
  [[ -n "$rss" ]] && echo "$elapsed,$rss,$fds,$threads,$rounds" >>"$csv"
}

echo "seconds,rss_kb,descriptors,threads,round" >"$csv"
: >"$log"
start_show
begin=$SECONDS
next_save=10 next_reload=30 next_seek=$((20 + RANDOM % 40)) next_toggle=300 next_sample=0
elapsed=0
while ((elapsed < duration)); do
  elapsed=$((SECONDS - begin))
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    echo "soak: the show ended with status $? at $elapsed s; started again" | tee -a "$log"
    abnormal=$((abnormal + 1))
    start_show
    continue
  fi
  ((elapsed >= next_sample)) && { sample; next_sample=$((next_sample + 10)); }
  ((elapsed >= next_save)) && { save_list; next_save=$((next_save + 10)); }
  ((elapsed >= next_reload)) && { reload; next_reload=$((next_reload + 30)); }
  ((elapsed >= next_seek)) && { seek; next_seek=$((elapsed + 20 + RANDOM % 40)); }
  ((elapsed >= next_toggle)) && { toggle; next_toggle=$((next_toggle + 300)); }
  answer_stray_dialogs
  sleep 1
done

answer_stray_dialogs
press Escape
for ((i = 0; i < 300; i++)); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  kill -9 "$pid"
  echo "soak: Escape did not end the show" | tee -a "$log"
  abnormal=$((abnormal + 1))
else
  wait "$pid"
  status=$?
  ((status == 0)) || { echo "soak: Escape ended the show with $status" | tee -a "$log"; abnormal=$((abnormal + 1)); }
fi
pid=""

# The figures. Memory and descriptors are compared from the first sample after five
# minutes (after the first F1 round has loaded everything twice) to the last.
summary() {
  awk -F, -v from=300 'NR > 1 && $1 >= from {
      if (!n++) { rss0 = $2; fds0 = $3; thr0 = $4 }
      if ($2 > rssmax) rssmax = $2; if (rssmin == "" || $2 < rssmin) rssmin = $2
      if ($3 > fdsmax) fdsmax = $3; if (fdsmin == "" || $3 < fdsmin) fdsmin = $3
      rss1 = $2; fds1 = $3; thr1 = $4; t1 = $1 }
    END {
      if (!n) { print "no samples after " from " s"; exit }
      printf "resident memory (kB): at %d s %d, at %d s %d (growth %+d), range %d..%d\n", from, rss0, t1, rss1, rss1 - rss0, rssmin, rssmax
      printf "descriptors: at %d s %d, at %d s %d, range %d..%d\n", from, fds0, t1, fds1, fdsmin, fdsmax
      printf "threads: at %d s %d, at %d s %d\n", from, thr0, t1, thr1 }' "$csv"
}
findings=$(cat "$work"/sanitizer/* 2>/dev/null | grep -c 'ERROR: AddressSanitizer\|runtime error:')
gl_errors=$(grep -c 'GL error' "$log")
cp -r "$work/sanitizer" "$out/soak-sanitizer" 2>/dev/null
{
  echo "soak: $elapsed s, $rounds program start(s), $abnormal abnormal end(s)"
  echo "keys: $f12 F12 answered, $f11 F11 seeks, $f1 F1 rounds, $saves list saves, $missed missed"
  summary
  echo "GL errors: $gl_errors"
  echo "sanitizer findings: $findings"
} | tee -a "$log"
((abnormal == 0 && findings == 0 && gl_errors == 0))
