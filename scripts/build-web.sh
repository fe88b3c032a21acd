#!/usr/bin/env bash
# Builds the browser page into one folder (build/web/page) that any static web server
# serves: index.html with its scripts and style, tarvel.js and tarvel.wasm (Emscripten), and
# the data set packed as tarvel.data with its loader tarvel-data.js and its size and version
# (tarvel-data.json, by which the page keeps it in the browser's cache).
#   scripts/build-web.sh [DESKTOP_BUILD_DIR]
# The desktop build (default build/release, configured with the release preset if it is
# not there) generates the data set and renders the bitmap font's atlas for the page.
# Needs Debian's emscripten and the source package of mpg123 (scripts/setup.sh installs the
# one and fetches the other); the page's decoder is built from it as the desktop's is.
set -euo pipefail
cd "$(dirname "$0")/.."
desktop=${1:-build/release}
page=build/web/page
# Debian's Emscripten runs its JavaScript tools on node, which finds Debian's acorn here.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

if [[ ! -f $desktop/CMakeCache.txt ]]; then
  cmake --preset release >/dev/null
  desktop=build/release
fi
cmake --build "$desktop" --target data_set glyph-atlas -- -j2
"$desktop"/glyph-atlas "$desktop"/glyphs.atlas

cmake --preset web >/dev/null
cmake --build --preset web -- -j2

# The data set at /vintra, the atlas where the page's font looks for it.
python3 /usr/share/emscripten/tools/file_packager.py "$page"/tarvel.data \
  --preload "$desktop/data/vintra@/vintra" "$desktop/glyphs.atlas@/tarvel/glyphs.atlas" \
  --exclude .complete --js-output="$page"/tarvel-data.js 2> >(grep -v "FORCE_FILESYSTEM" >&2) >/dev/null
# What the page keeps in the browser's cache, and under which version: a new data set is a
# new version, fetched once more.
printf '{"file": "tarvel.data", "bytes": %d, "version": "%s"}\n' "$(stat -c %s "$page"/tarvel.data)" \
  "$(sha256sum "$page"/tarvel.data | cut -c1-16)" > "$page"/tarvel-data.json
echo "build-web: $page: $(du -sh --apparent-size "$page" | cut -f1)B" \
  "($(cd "$page" && ls | tr '\n' ' '))"
