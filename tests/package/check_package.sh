#!/usr/bin/env bash
# Builds the Debian package of this build with cpack (which installs what is already built,
# it builds nothing), unpacks it with dpkg-deb, and checks it as a school and a developer
# would find it: the files listed below are there, the control fields are filled, the
# installed program plays a lesson headless, the .vek type is known to shared-mime-info,
# and the example C programs build against the unpacked tree with pkg-config (and one with
# find_package) and give their checked results.
# Usage: check_package.sh BUILD-DIR SOURCE-DIR VERSION PNG_CHECK WORK-DIR
set -euo pipefail
build=$1 source=$2 version=$3 png_check=$4 work=$5
rm -rf "$work"
mkdir -p "$work"

fail() { echo "check_package: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/package" > "$work/cpack.log") || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(echo "$work"/package/vekora_"$version"_*.deb)
[ -f "$deb" ] || fail "no package vekora_${version}_*.deb"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vekora ] && [ "$(field Version)" = "$version" ] || fail "package name or version"
[ -n "$(field Maintainer)" ] && [ -n "$(field Description)" ] || fail "no maintainer or description"
for library in libsdl2-2.0-0 libpng16-16 libavcodec59 libavformat59 libavutil57 libswscale6; do
  field Depends | grep -q "$library" || fail "Depends lacks $library: $(field Depends)"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
usr=$root/usr
for file in \
  bin/vekora \
  lib/libvekora.so.$version lib/libvekora.so.0 lib/libvekora.so \
  lib/vekora/vekora-window.so lib/vekora/vekora-video.so \
  include/vekora.h \
  lib/pkgconfig/vekora.pc \
  lib/cmake/Vekora/VekoraConfig.cmake lib/cmake/Vekora/VekoraConfigVersion.cmake lib/cmake/Vekora/VekoraTargets.cmake \
  share/applications/vekora.desktop \
  share/mime/packages/vekora.xml \
  share/icons/hicolor/64x64/apps/vekora.png share/icons/hicolor/scalable/apps/vekora.svg \
  share/doc/vekora/copyright share/doc/vekora/LICENSE share/doc/vekora/README.md \
  share/doc/vekora/examples/circumcircle.vek share/doc/vekora/examples/c/circumcircle.c \
  share/doc/vekora/examples/c/triangle_png.c share/doc/vekora/examples/c/run_lesson.c
do
  [ -e "$usr/$file" ] || fail "the package lacks /usr/$file"
done
if [ -f "$source/docs/vekora.1" ]; then
  [ -e "$usr/share/man/man1/vekora.1" ] || fail "the package lacks the manual page"
fi
readelf -d "$usr/lib/libvekora.so.$version" | grep -q 'SONAME.*\[libvekora\.so\.0\]' || fail "soname is not libvekora.so.0"
desktop-file-validate "$usr/share/applications/vekora.desktop" || fail "the menu entry is not valid"
grep -q '^MimeType=text/x-vekora;' "$usr/share/applications/vekora.desktop" || fail "the menu entry opens no .vek files"
grep -q '^Exec=vekora %f' "$usr/share/applications/vekora.desktop" || fail "the menu entry does not pass the file"

# The .vek type as the desktop will compile it.
cp -r "$usr/share/mime" "$work/mime"
update-mime-database "$work/mime"
grep -q 'text/x-vekora:\*\.vek' "$work/mime/globs" || fail "shared-mime-info does not map *.vek to text/x-vekora"

export LD_LIBRARY_PATH=$usr/lib
[ "$("$usr/bin/vekora" --version)" = "vekora $version" ] || fail "--version: $("$usr/bin/vekora" --version)"
"$usr/bin/vekora" --headless --no-logo --screenshot "$work/installed.png" "$usr/share/doc/vekora/examples/circumcircle.vek"
"$png_check" same "$source/examples/circumcircle.png" "$work/installed.png" || fail "the installed program played the lesson differently"
# The video plugin is found where the package put it, and only a video loads it.
"$usr/bin/vekora" --headless --no-logo --until 1000 --record "$work/installed.mp4" "$usr/share/doc/vekora/examples/circumcircle.vek" 2> "$work/record.log" \
  || { cat "$work/record.log" >&2; fail "the installed program could not record a video"; }
[ -s "$work/installed.mp4" ] || fail "the installed program wrote no video"
readelf -d "$usr/bin/vekora" | grep -E 'NEEDED.*(SDL|libav|libsw)' && fail "the program itself needs the window or video libraries"

# The examples as a developer builds them: pkg-config finds the unpacked tree as a sysroot.
export PKG_CONFIG_SYSROOT_DIR=$root PKG_CONFIG_LIBDIR=$usr/lib/pkgconfig
flags=$(pkg-config --cflags --libs vekora)
case "$flags" in *"-I$usr/include"*"-L$usr/lib"*|*"-L$usr/lib"*"-I$usr/include"*) ;; *) fail "pkg-config gives '$flags'" ;; esac
mkdir -p "$work/bin"
for example in circumcircle triangle_png run_lesson; do
  cc -std=c11 -Wall -Wextra -Werror "$usr/share/doc/vekora/examples/c/$example.c" $flags -o "$work/bin/$example"
done
"$source/tests/c_api/check_c_examples.sh" "$work/bin" "$usr/bin/vekora" "$png_check" "$source" "$work/examples"

# find_package(Vekora) from the unpacked tree.
cmake -S "$source/tests/package/find_vekora" -B "$work/find_vekora" -DCMAKE_PREFIX_PATH="$usr" \
  -DEXAMPLE="$usr/share/doc/vekora/examples/c/circumcircle.c" > "$work/find_vekora.log" || { cat "$work/find_vekora.log" >&2; fail "find_package(Vekora)"; }
cmake --build "$work/find_vekora" >> "$work/find_vekora.log" || { cat "$work/find_vekora.log" >&2; fail "building with Vekora::vekora"; }
diff -u "$source/tests/c_api/circumcircle.expected" <("$work/find_vekora/circumcircle") || fail "the find_package build printed other numbers"
echo "package $(basename "$deb") holds and runs what it should"
