#!/usr/bin/env bash
# The data set as an author meets it: `tarvel --check` on the generated set and on damaged
# copies (every problem named, by the path the user gave; the music decoded whole, damaged
# and cut short; a decimal comma), every file the generator writes read by it, a skipped
# row and every file --check names said the same way on standard error in the offline
# modes, and the schedule drawn as an SVG that librsvg renders.
set -u
tarvel=$1
data=$2
probe=$4
source "$(dirname "$0")/lib.bash"

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 1

# The generated set is whole: the summary alone, exit 0.
out=$("$tarvel" --check --data "$data" 2>&1)
status=$?
[[ $status -eq 0 ]] || fail "--check on the generated data set exited $status: $out"
[[ $(wc -l <<<"$out") -eq 1 && $out == "tarvel: $data/vintra is whole: "* ]] ||
  fail "--check on the generated data set: $out"

# A copy with five kinds of damage, named relative to here as the user gives it.
mkdir copy
cp -r "$data/vintra" copy/
cd copy/vintra || exit 1
back=tags/256/tagback.txt
cut=$(awk '!/^#/ && NF { print NR; exit }' "$back")
head -n "$cut" "$back" | head -c -20 >cut.txt && mv cut.txt "$back"  # cut off mid-row
stars=$(grep -n '^star\.jpg' tags/front/tagfront.txt | cut -d: -f1)
rm tags/front/star.jpg
head -c $(($(stat -c %s nick/nick5.jpg) / 2)) nick/nick5.jpg >half.jpg && mv half.jpg nick/nick5.jpg
head -c 4096 /dev/zero >tower/t3.3ds
rm Ostrel.mp3
cd "$WORK" || exit 1

out=$("$tarvel" --check --data copy 2>&1)
status=$?
[[ $status -eq 1 ]] || fail "--check on a damaged copy exited $status, not 1: $out"
expect() {
  grep -qF -- "$1" <<<"$out" || fail "--check did not say '$1': $out"
}
expect "copy/vintra/$back:$cut: row skipped ("
for line in $stars; do
  expect "copy/vintra/tags/front/tagfront.txt:$line: picture copy/vintra/tags/front/star.jpg missing"
done
expect "copy/vintra/nick/nick5.jpg: does not decode as a JPEG"
expect "copy/vintra/tower/t3.3ds: does not load as a 3DS model"
expect "copy/vintra/Ostrel.mp3: missing"
problems=$((4 + $(wc -w <<<"$stars")))
[[ $(wc -l <<<"$out") -eq $((problems + 1)) ]] || fail "--check said more than the damage: $out"
expect "tarvel: copy/vintra has $problems problems"
grep -q '\./vintra' <<<"$out" && fail "--check named a file as ./vintra/…: $out"
copy_check=$out

# The music decoded whole, and a decimal comma. 6,000 bytes of a picture pasted into the MP3
# two fifths in (74.4 s): the place and the music lost there are named, and the row's
# column is the one with the comma.
music=$data/vintra/Ostrel.mp3
size=$(stat -c %s "$music")
mkdir junk short
for copy in junk short; do
  cp -rs "$data/vintra" "$copy/"
  rm "$copy/vintra/Ostrel.mp3"
done
{
  head -c $((size * 2 / 5)) "$music"
  head -c 6000 "$data/vintra/korrin.jpg"
  tail -c +$((size * 2 / 5 + 1)) "$music"
} >junk/vintra/Ostrel.mp3
comma=junk/vintra/$back
row=$(awk '!/^#/ && NF { print NR; exit }' "$comma")
awk -v n="$row" 'BEGIN { OFS = FS = "\t" } NR == n { $3 = "0,5" } { print }' "$data/vintra/$back" >comma.txt
rm "$comma" && mv comma.txt "$comma"
out=$("$tarvel" --check --data junk 2>&1)
status=$?
[[ $status -eq 1 ]] || fail "--check on damaged music exited $status, not 1: $out"
expect "junk/vintra/Ostrel.mp3: damaged at 1:14.4: 0.0"
expect " s of music lost there, so from 1:14.4 on it plays"
expect "junk/vintra/tags/256/tagback.txt:$row: row skipped (fade-in is not a number: 0,5; the lists take a decimal point, not a comma: 0.5)"
[[ $(wc -l <<<"$out") -eq 3 ]] || fail "--check said more than the damaged music and the row: $out"

# The MP3 cut off at 37.5 s (192 kbit/s after the 626-byte header): cut short, and by how
# much shorter than the show.
head -c $((626 + 24000 * 375 / 10)) "$music" >short/vintra/Ostrel.mp3
out=$("$tarvel" --check --data short 2>&1)
[[ $? -eq 1 ]] || fail "--check on a short MP3 did not exit 1: $out"
expect "short/vintra/Ostrel.mp3: cut short: the music ends at 0:37.5, 148.5"
expect "short/vintra/Ostrel.mp3: 0:37.5 of music, 147.5"
expect " s shorter than the show (3:05.0): the show plays on in silence after 0:37.5"
expect "37.5 s of music)"

# Every file the generator writes is one --check reads: with all but the lists gone it names
# each missing, and with nothing at all each list (spelled as the program does, any case).
mkdir bare none
cp -r "$data/vintra" bare/
find bare/vintra -type f ! -name '*.txt' -delete
mkdir none/vintra
written() { (cd "$data" && find vintra -type f ! -name .complete "$@" | tr A-Z a-z | sort); }
missing() {
  "$tarvel" --check --data "$1" | grep -oE "$1/vintra/[^: ]+(: | )missing" |
    sed -E "s#^$1/##; s#:? missing\$##" | tr A-Z a-z | sort -u
}
diff <(written ! -name '*.txt') <(missing bare) >missing.diff ||
  fail "--check and the generator's files differ (< not read, > not written): $(cat missing.diff)"
diff <(written -name '*.txt') <(missing none | grep '\.txt$') >missing.diff ||
  fail "--check and the generator's lists differ: $(cat missing.diff)"

# The row cut short is said once on standard error, named as the user gave the data set.
said="tarvel: copy/vintra/$back:$cut: row skipped ("
# Stills at 30 and 100 s load the flip-book and the tower, which the show loads when due.
env -u DISPLAY timeout -k 5 300 "$tarvel" --data copy --from 7 --shot 7 at7.png --shot 30 at30.png \
  --shot 100 at100.png >/dev/null 2>err.txt ||
  fail "--shot on the damaged copy failed: $(cat err.txt)"
[[ $(grep -cF -- "$said" err.txt) -eq 1 ]] || fail "--shot did not say the row once: $(cat err.txt)"
# A file that does not serve: the show's own message as it always was, and once the line
# --check gives that file.
grep -qxF "tarvel: ERROR! Failed to load ./vintra/tags/front/star.jpg !" err.txt ||
  fail "--shot lost the show's message about the missing picture: $(cat err.txt)"
[[ $(grep -cxF "tarvel: copy/vintra/tags/front/star.jpg: missing" err.txt) -eq 1 ]] ||
  fail "--shot did not say once where the missing picture is: $(cat err.txt)"
while read -r line; do
  grep -qxF "tarvel: $line" err.txt || fail "--shot did not say '$line' as --check does: $(cat err.txt)"
done < <(grep -E '^copy/vintra/[^:]+: ' <<<"$copy_check")
env -u DISPLAY timeout -k 5 300 "$tarvel" --data copy --schedule >/dev/null 2>err.txt ||
  fail "--schedule on the damaged copy failed: $(cat err.txt)"
[[ $(grep -cF -- "$said" err.txt) -eq 1 ]] || fail "--schedule did not say the row once: $(cat err.txt)"
grep -q "\./vintra/$back" err.txt && fail "the skipped row was named as ./vintra/…: $(cat err.txt)"

# The schedule drawn: one entry element per line of the schedule, wide, and librsvg reads it.
env -u DISPLAY timeout -k 5 300 "$tarvel" --data "$data" --schedule >schedule.txt 2>err.txt ||
  fail "--schedule failed: $(cat err.txt)"
env -u DISPLAY timeout -k 5 300 "$tarvel" --data "$data" --schedule --svg chart.svg 2>err.txt ||
  fail "--schedule --svg failed: $(cat err.txt)"
[[ $(grep -vc '^#' schedule.txt) -gt 100 ]] || fail "a short schedule: $(cat schedule.txt)"
entries=$(grep -o 'class="entry' chart.svg | wc -l)
[[ $entries -eq $(grep -vc '^#' schedule.txt) ]] ||
  fail "the chart has $entries entries, the schedule $(grep -vc '^#' schedule.txt)"
grep -q 'class="loudness"' chart.svg || fail "the chart has no loudness curve"
xmllint --noout chart.svg || fail "the chart is no well-formed XML"
rsvg-convert chart.svg -o chart.png || fail "librsvg cannot render the chart"
read -r width height < <("$probe" size chart.png)
[[ $width -ge 2500 && $height -ge 600 ]] || fail "the chart renders at ${width}x$height"

echo "check: all passed"
