# Shared by the end-to-end scripts: a private Xvfb and small checks.
# shellcheck shell=bash

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts Xvfb on a free display (screen $1, default 1280x1024x24) and exports DISPLAY;
# stopped when the script exits. Without -noreset the server resets when its last client
# leaves, and a program started in that moment is refused its connection.
start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -noreset -screen 0 "${1:-1280x1024x24}" -nolisten tcp 3>"$fifo" 2>/dev/null &
  XVFB_PID=$!
  local number
  read -r -t 20 number <"$fifo" || fail "Xvfb did not start"
  rm -f "$fifo"
  export DISPLAY=":$number"
}

stop_xvfb() {
  [[ -n "${XVFB_PID:-}" ]] && kill "$XVFB_PID" 2>/dev/null
  return 0
}

# The id of the first window whose title is $1, waiting up to $2 seconds.
wait_for_window() {
  local title=$1 seconds=${2:-30} id="" i
  for ((i = 0; i < seconds * 10; i++)); do
    id=$("$XWINDOW" find "$title" 2>/dev/null | head -n 1)
    [[ -n "$id" ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# The id of a window titled $1 other than window $2, waiting up to 30 seconds: the next
# window of that title once the one before is gone or still there.
wait_for_other_window() {
  local title=$1 other=$2 id="" i
  for ((i = 0; i < 300; i++)); do
    id=$("$XWINDOW" find "$title" 2>/dev/null | grep -vx "$other" | head -n 1)
    [[ -n "$id" ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits for process $1 to end and fails unless its status is $2 ($3 says what ended it).
expect_exit() {
  local pid=$1 expected=$2 what=$3
  wait_for_exit "$pid" 30 || fail "$what did not end the program"
  wait "$pid"
  local status=$?
  [[ $status -eq $expected ]] || fail "$what ended the program with $status, not $expected"
}

# Waits up to $2 seconds for process $1 to end.
wait_for_exit() {
  local pid=$1 seconds=${2:-30} i
  for ((i = 0; i < seconds * 10; i++)); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null
  return 1
}

# Width and height of a PNG from its header.
png_size() {
  local file=$1
  [[ "$(head -c 8 "$file" | od -An -tx1 | tr -d ' \n')" == "89504e470d0a1a0a" ]] || return 1
  local w h
  w=$(od -An -tu1 -j16 -N4 "$file" | awk '{print ($1*16777216)+($2*65536)+($3*256)+$4}')
  h=$(od -An -tu1 -j20 -N4 "$file" | awk '{print ($1*16777216)+($2*65536)+($3*256)+$4}')
  echo "${w}x${h}"
}

# A fresh working directory holding a link to the generated data set ($1); removed, with
# any Xvfb, when the script exits.
enter_work_dir() {
  WORK=$(mktemp -d)
  trap 'stop_xvfb; rm -rf "$WORK"' EXIT
  cd "$WORK" || exit 1
  ln -s "$1/vintra" vintra
}
