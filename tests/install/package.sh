#!/usr/bin/env bash
# The Debian package: its name, its files, the library dependencies dpkg-shlibdeps found,
# and lintian without errors; the desktop entry and metainfo validate.
set -u
source "$(dirname "$0")/lib.bash"

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")/\1/p' "$build/CPackConfig.cmake")
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$SCRATCH/package" >cpack.txt 2>&1 ||
  fail "cpack failed: $(tail -n 5 cpack.txt)"
deb=$SCRATCH/package/tarvel_${version}_amd64.deb
[[ -f $deb ]] || fail "no $(basename "$deb"): $(ls "$SCRATCH/package")"

dpkg-deb -c "$deb" | awk '{print $6}' >files.txt
for file in ./usr/bin/tarvel ./usr/bin/vintra-gen ./usr/share/tarvel/vintra/Ostrel.mp3 \
  ./usr/share/tarvel/vintra/cameras/cameras.txt ./usr/share/man/man1/tarvel.1.gz \
  ./usr/share/man/man1/vintra-gen.1.gz ./usr/share/applications/tarvel.desktop \
  ./usr/share/icons/hicolor/256x256/apps/tarvel.png ./usr/share/metainfo/tarvel.metainfo.xml \
  ./usr/share/bash-completion/completions/tarvel ./usr/share/doc/tarvel/copyright; do
  grep -qx -- "$file" files.txt || fail "the package lacks $file"
done
for module in tarvel-video.so tarvel-dialogs.so; do
  grep -q -- "^./usr/lib/.*/$module$" files.txt || fail "the package lacks $module"
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libsdl2 libgtk-3-0 libsoxr0 libavcodec libpng16 libjpeg62-turbo libgl1 libegl1 fonts-; do
  [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

lintian --tag-display-limit 0 "$deb" >lintian.txt 2>&1
grep "^E:" lintian.txt && fail "lintian reports errors"
desktop-file-validate "$source_dir/packaging/tarvel.desktop" || fail "the desktop entry is invalid"
# Warnings allowed: the component id is not a reverse domain name, as no domain is ours.
appstreamcli validate --no-net "$source_dir/packaging/tarvel.metainfo.xml" >appstream.txt 2>&1
grep "^E:" appstream.txt && fail "the metainfo is invalid"
echo "package: all passed"
