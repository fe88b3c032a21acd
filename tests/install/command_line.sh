#!/usr/bin/env bash
# The command line as a user meets it: no data set anywhere, the build's own from its build
# tree, output paths beside --data, --shot refused before anything renders, usage errors,
# --version, and --help naming the same options as the manual page.
set -u
source "$(dirname "$0")/lib.bash"

# A program outside a build tree and an installation, with no data set anywhere.
cp "$tarvel" "$SCRATCH/tarvel"
"$SCRATCH/tarvel" --shot 2 x.png >out.txt 2>err.txt
status=$?
[[ $status -eq 1 ]] || fail "no data set ended with $status, not 1"
[[ $(wc -l <err.txt) -eq 1 ]] || fail "no data set should be one line: $(cat err.txt)"
grep -q "no data set (looked for ./vintra, .*/share/tarvel/vintra, $XDG_DATA_HOME/tarvel/vintra" err.txt ||
  fail "the line does not name the places looked in: $(cat err.txt)"
grep -q "vintra-gen" err.txt || fail "the line does not say how to make a data set"
[[ ! -e x.png ]] || fail "a frame was written without a data set"

# The program in its build tree plays the data set the build generated, from anywhere.
"$tarvel" --check >out.txt 2>err.txt || fail "the build's program did not find its data set: $(cat out.txt err.txt)"
grep -q "^tarvel: $build/data/vintra is whole" out.txt || fail "not the build's data set: $(cat out.txt)"

# Relative output names count from where tarvel started, whatever --data says.
"$tarvel" --data "$build/data" --shot 1 rel.png --from 0.9 --fps 20 >/dev/null 2>err.txt ||
  fail "--shot with --data failed: $(cat err.txt)"
[[ -s rel.png && ! -e "$build/data/rel.png" ]] || fail "--data moved the shot away from here"
grep -q "wrote $PWD/rel.png" err.txt || fail "the message does not name the absolute path: $(cat err.txt)"

# Refused at once, before a frame is rendered: nothing is loaded, nothing written.
refuse() {
  local expected=$1 reason=$2
  shift 2
  "$tarvel" --data "$build/data" "$@" >/dev/null 2>err.txt
  local status=$?
  [[ $status -eq $expected ]] || fail "$* ended with $status, not $expected"
  grep -q -- "$reason" err.txt || fail "$* did not say \"$reason\": $(cat err.txt)"
  ! grep -q "wrote\|Loading\|Failed to load" err.txt || fail "$* rendered before refusing"
}
refuse 2 "within the show" --shot 300 late.png
refuse 2 "before --from" --from 10 --shot 5 early.png
refuse 2 ".png" --shot 5 frame.jpg
refuse 1 "No such file or directory" --shot 5 missing/frame.png
refuse 2 "Try 'tarvel --help'." --fps
refuse 2 "unexpected argument stray" -- stray
[[ $(wc -l <err.txt) -eq 2 ]] || fail "a usage error is a line and the hint: $(cat err.txt)"

"$tarvel" --version | grep -q "^tarvel [0-9.]* (.\+)$" || fail "--version: $("$tarvel" --version)"
"$generator" --version | grep -q "^vintra-gen [0-9.]* (.\+)$" || fail "vintra-gen --version"
"$generator" --bogus 2>/dev/null
[[ $? -eq 2 ]] || fail "vintra-gen --bogus did not exit 2"

# --help and the manual page name the same options.
options_in() { grep -o -- '--[a-z][a-z-]*' | sort -u; }
for program in tarvel vintra-gen; do
  exe=$tarvel
  [[ $program == vintra-gen ]] && exe=$generator
  help=$("$exe" --help | options_in)
  manual=$(sed 's/\\-/-/g' "$source_dir/packaging/man/$program.1" | options_in)
  [[ "$help" == "$manual" ]] ||
    fail "$program: --help and the manual page differ: $(diff <(echo "$help") <(echo "$manual") | tr '\n' ' ')"
  [[ $(echo "$help" | wc -l) -gt 1 ]] || fail "$program --help names no options"
done

# One file missing from a data set that is found: the box in the window as before, and the
# same line on standard error for whoever started it from a terminal.
source "$source_dir/tests/e2e/lib.bash"  # start_xvfb; its fail is the same
trap 'stop_xvfb; rm -rf "$SCRATCH"' EXIT
mkdir -p partial
cp -rs "$build/data/vintra" partial/vintra
rm partial/vintra/flash/white.jpg
start_xvfb
"$tarvel" --data partial --windowed >/dev/null 2>err.txt &
pid=$!
for ((i = 0; i < 600; i++)); do
  grep -q "Failed to load ./vintra/flash/white.jpg" err.txt && break
  sleep 0.1
done
kill -KILL $pid 2>/dev/null  # SDL turns TERM into a quit event the modal box never reads
wait $pid 2>/dev/null
grep -q "^tarvel: ERROR! Failed to load ./vintra/flash/white.jpg !$" err.txt ||
  fail "a missing file's box did not also go to standard error: $(cat err.txt)"

echo "command_line: all passed"
