#!/usr/bin/env bash
# Installs the Debian packages tarvel needs. `setup.sh play`: only what building the program
# and the generator and playing the show need; `setup.sh package`: that and what cpack needs
# to make the Debian package; `setup.sh` (no argument): also everything the tests,
# benchmarks, fuzz targets and packaging checks use.
# Idempotent: only what is missing is installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libgtk-3-dev
  libgl-dev libglu1-mesa-dev libegl-dev libgles-dev libgl1-mesa-dri libegl-mesa0
  libjpeg62-turbo-dev libpng-dev
  libmpg123-dev libmp3lame-dev libsoxr-dev
  libfreetype-dev libfontconfig-dev fonts-liberation2 fonts-dejavu-core
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
)
mode=${1:-all}
if [[ $mode != play && $mode != package && $mode != all ]]; then
  echo "setup: unknown mode '$mode' (play, package, or none for everything)" >&2
  exit 2
fi
if [[ $mode != play ]]; then
  packages+=(file)  # cpack finds the programs to pass to dpkg-shlibdeps with it
fi
if [[ $mode == all ]]; then
  packages+=(
    clang libgtest-dev libgmock-dev googletest libbenchmark-dev
    xvfb xauth xdotool x11-utils libx11-dev libxml2-utils ffmpeg parallel librsvg2-bin
    lintian desktop-file-utils appstream
    emscripten chromium  # the browser page (scripts/build-web.sh) and its test
  )
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
  apt=(apt-get)
else
  apt=(sudo apt-get)
fi
export DEBIAN_FRONTEND=noninteractive
"${apt[@]}" update -qq
"${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
