#!/usr/bin/env bash
# `cmake --install` into a DESTDIR; the installed program, run from an unrelated directory
# with no other data set in reach, finds the installed one and draws the frames the build
# tree draws.
set -u
source "$(dirname "$0")/lib.bash"

root=$SCRATCH/root
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null || fail "cmake --install failed"
for file in usr/bin/tarvel usr/bin/vintra-gen usr/share/tarvel/vintra/Ostrel.mp3 \
  usr/share/man/man1/tarvel.1.gz usr/share/applications/tarvel.desktop \
  usr/share/icons/hicolor/48x48/apps/tarvel.png usr/share/metainfo/tarvel.metainfo.xml \
  usr/share/bash-completion/completions/tarvel; do
  [[ -f $root/$file ]] || fail "$file was not installed"
done
for module in tarvel-video.so tarvel-dialogs.so; do
  [[ -n $(find "$root/usr/lib" -name "$module") ]] || fail "$module was not installed"
done
# The video writer is a module the installed program finds in its installation.
"$root/usr/bin/tarvel" --capture installed.mp4 --from 30 --to 30.2 --fps 20 >/dev/null 2>err.txt ||
  fail "the installed tarvel could not record a video: $(cat err.txt)"
[[ -s installed.mp4 ]] || fail "the installed tarvel wrote no video"

for moment in "8 7.5" "30 29.5" "100 99.5"; do
  set -- $moment
  "$root/usr/bin/tarvel" --shot "$1" "installed-$1.png" --from "$2" --fps 20 >/dev/null 2>err.txt ||
    fail "the installed tarvel failed at $1 s: $(cat err.txt)"
  "$tarvel" --data "$build/data" --shot "$1" "built-$1.png" --from "$2" --fps 20 >/dev/null 2>&1 ||
    fail "the build tree's tarvel failed at $1 s"
  cmp -s "installed-$1.png" "built-$1.png" || fail "the installed frame at $1 s differs"
done
echo "install_tree: all passed"
