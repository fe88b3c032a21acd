#!/usr/bin/env bash
# Installs the Debian packages tarvel needs. `setup.sh play`: only what building the program
# and the generator and playing the show need; `setup.sh package`: that and what cpack needs
# to make the Debian package; `setup.sh` (no argument): also everything the tests,
# benchmarks, fuzz targets and packaging checks use.
# Every mode also fetches Debian's source package of mpg123 once into build/debian-source
# (the desktop and the page build their decoder from it: cmake/mpg123.cmake).
# Idempotent: only what is missing is installed or fetched.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libgtk-3-dev
  libgl-dev libglu1-mesa-dev libegl-dev libgles-dev libgl1-mesa-dri libegl-mesa0
  libjpeg62-turbo-dev libpng-dev
  libmp3lame-dev libsoxr-dev patch xz-utils bzip2
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
    lintian desktop-file-utils appstream valgrind
    emscripten chromium  # the browser page (scripts/build-web.sh) and its test
    rsync openssh-client openssh-server  # render-parts over ssh, and its test's own sshd
  )
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)
apt=("${as_root[@]}" apt-get)
export DEBIAN_FRONTEND=noninteractive

if [[ ${#missing[@]} -gt 0 ]]; then
  echo "setup: installing ${missing[*]}"
  "${apt[@]}" update -qq
  # A package that brings a service (openssh-server) installs without starting it: the
  # tests start their own. A policy already in place is left as it is.
  policy=/usr/sbin/policy-rc.d
  if [[ ! -e $policy ]]; then
    printf '#!/bin/sh\nexit 101\n' | "${as_root[@]}" tee "$policy" >/dev/null
    "${as_root[@]}" chmod 755 "$policy"
    trap '"${as_root[@]}" rm -f "$policy"' EXIT
  fi
  "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
fi

# Debian's source package of mpg123, as bookworm's signed source index names it: fetched with
# apt into a folder of its own (the system's apt configuration stays as it is), every file
# checked against the index's SHA-256 as it arrives; the build checks them again against the
# .dsc. The upstream signature (.asc) is left out: unpacking does not need it.
fetch_source() {
  local package=$1
  local folder=$root/build/debian-source
  if compgen -G "$folder/${package}_*.dsc" >/dev/null; then
    return 0
  fi
  local archive
  archive=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' \
    'Identifier: Packages' 'Origin: Debian' 2>/dev/null | awk '$3 == "main" && $2 !~ /-/ { print $1, $2; exit }')
  if [[ -z $archive ]]; then
    "${apt[@]}" update -qq
    archive=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' \
      'Identifier: Packages' 'Origin: Debian' | awk '$3 == "main" && $2 !~ /-/ { print $1, $2; exit }')
  fi
  [[ -n $archive ]] || { echo "setup: apt names no Debian archive to fetch $package's source from" >&2; exit 1; }
  local state=$folder/apt
  mkdir -p "$state/lists/partial" "$state/cache/archives/partial" "$folder/incoming"
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] ${archive% *} ${archive#* } main" \
    >"$state/sources.list"
  local get=(apt-get -q -o Dir::Etc::SourceList="$state/sources.list" -o Dir::Etc::SourceParts=/nonexistent
    -o Dir::State::Lists="$state/lists" -o Dir::Cache="$state/cache" -o APT::Sandbox::User="$(id -un)")
  echo "setup: fetching Debian's source of $package"
  "${get[@]}" update -qq
  local uris
  uris=$(cd "$folder/incoming" && "${get[@]}" source --print-uris "$package" 2>/dev/null | grep "^'")
  [[ -n $uris ]] || { echo "setup: bookworm's source index has no $package" >&2; exit 1; }
  local uri file size hash dsc=""
  while read -r uri file size hash; do
    [[ $file == *.asc ]] && continue
    /usr/lib/apt/apt-helper -o APT::Sandbox::User="$(id -un)" download-file \
      "${uri//\'/}" "$folder/incoming/$file" "$hash" >/dev/null ||
      { echo "setup: $file: download failed or its checksum differs" >&2; exit 1; }
    [[ $file == *.dsc ]] && dsc=$file
  done <<<"$uris"
  # The .dsc last: its presence says the package is complete.
  find "$folder/incoming" -maxdepth 1 -type f ! -name '*.dsc' -exec mv -f -t "$folder" {} +
  mv -f "$folder/incoming/$dsc" "$folder/$dsc"
  rm -rf "$folder/incoming" "$state"
}
fetch_source mpg123
