# Shared by the installation tests: arguments, a scratch directory and an environment in
# which no data set is found unless a test puts one there.
# shellcheck shell=bash

build=$1
source_dir=$2
tarvel=$3
generator=$4

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
mkdir -p "$SCRATCH/home" "$SCRATCH/elsewhere"
export HOME=$SCRATCH/home XDG_DATA_HOME=$SCRATCH/home/.local/share XDG_DATA_DIRS=$SCRATCH/none
unset TARVEL_DATA DISPLAY WAYLAND_DISPLAY
cd "$SCRATCH/elsewhere" || exit 1
