#!/usr/bin/env bash
# Reference frames: chosen moments of the generated show, one or more per section, each
# compared with a small stored picture. A differing moment is named with its difference,
# and the frame got is written beside its reference as NAME.got.png.
set -u
tarvel=$1
data=$2
compare=$5
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.bash"
source "$here/reference/render.bash"

enter_work_dir "$data"

failed=0
while read -r name at; do
  render_moment "$tarvel" "$at" frame.png || fail "--shot $at failed"
  if [[ ! -f "$here/reference/$name.png" ]]; then
    echo "FAIL: no reference for $name ($at s); run scripts/bless-reference-frames.sh" >&2
    failed=1
    continue
  fi
  if ! result=$("$compare" compare frame.png "$here/reference/$name.png" \
    "$here/reference/$name.got.png"); then
    echo "FAIL: $name at $at s differs from its reference: $result;" \
      "got tests/e2e/reference/$name.got.png" >&2
    failed=1
  else
    echo "$name at $at s: $result"
    rm -f "$here/reference/$name.got.png"
  fi
done < <(moments "$here/reference/moments.txt")

[[ $failed -eq 0 ]] || exit 1
echo "reference frames: all passed"
