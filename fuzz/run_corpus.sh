#!/usr/bin/env bash
# Runs every fuzz target over its stored inputs (fuzz/corpus/NAME, the target less "_fuzz"), then
# fuzzes each for $1 seconds (default 0: the stored inputs only). Usage: run_corpus.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=$1
seconds=${2:-0}
corpus=$(cd "$(dirname "$0")/corpus" && pwd)
passed=0
failed=0
for target in "$build"/*_fuzz; do
  name=$(basename "$target")
  seeds="$corpus/${name%_fuzz}"
  [[ -d "$seeds" ]] || seeds="$corpus/$name"
  work=$(mktemp -d)
  if [[ $seconds -gt 0 ]]; then
    args=(-max_total_time="$seconds" "$work" "$seeds")
  else
    args=(-runs=0 "$seeds")
  fi
  if "$target" -timeout=25 -artifact_prefix="$work/" "${args[@]}" >"$work/log" 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: $name"
    tail -n 30 "$work/log"
  fi
  rm -rf "$work"
done
echo "fuzz: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
