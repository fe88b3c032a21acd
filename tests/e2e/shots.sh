#!/usr/bin/env bash
# Still frames of the generated show: the opening scene on white paper with the character
# animation, the white flash that opens the graffiti window, the graffiti on black, and the
# lit tower in the tower window.
set -u
tarvel=$1
data=$2
probe=$4
source "$(dirname "$0")/lib.bash"

enter_work_dir "$data"

shot() {
  local time=$1 file=$2 fps=${3:-20}
  shift $(($# < 3 ? $# : 3))
  env -u DISPLAY timeout -k 5 300 "$tarvel" --shot "$time" "$file" --fps "$fps" "$@" >/dev/null 2>&1 ||
    fail "--shot $time failed"
}
brightness() {
  local rgb
  rgb=$("$probe" png "$@") || fail "cannot read $1"
  set -- $rgb
  echo $(((${1} + ${2} + ${3}) / 3))
}

shot 30 scene.png
shot 42.8 flash.png
shot 50 graffiti.png
shot 100 tower.png 20 --from 94.6

corner=$(brightness scene.png 0 0 60 60)
[[ $corner -gt 200 ]] || fail "the scene at 30 s should sit on white paper, corner is $corner"
centre=$(brightness scene.png 300 200 200 200)
[[ $centre -lt 220 ]] || fail "the character animation should darken the centre at 30 s ($centre)"

flash=$(brightness flash.png 0 0 800 600)
[[ $flash -gt 200 ]] || fail "the white flash at 42.8 s should light the frame, mean is $flash"

corner=$(brightness graffiti.png 0 0 60 60)
[[ $corner -lt 40 ]] || fail "the graffiti window should clear to black, corner is $corner"
centre=$(brightness graffiti.png 200 150 400 300)
[[ $centre -gt $corner ]] || fail "no graffiti in the centre at 50 s ($centre)"

# Black around it, the tower stands lit in the middle with the credits beside it.
centre=$(brightness tower.png 350 150 100 300)
[[ $centre -gt 80 ]] || fail "the lit tower should stand in the middle at 100 s, mean is $centre"
corner=$(brightness tower.png 0 540 60 60)
[[ $corner -lt 40 ]] || fail "the tower scene should stand on black, corner is $corner"

echo "shots: all passed"
