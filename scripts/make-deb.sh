#!/usr/bin/env bash
# Builds a Debian package of the program from the tree: make deb [DEB_DIR=build-deb]. The program
# is built in a folder of its own (release build, no tests), installed under /usr in a staging
# folder, and packed with its dependencies: the shared libraries it links (from dpkg-shlibdeps)
# and the Debian packages it uses at run time.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build-deb}
version=$(cat VERSION)
if git rev-parse --git-dir >/dev/null 2>&1; then
    version="$version+git$(git rev-list --count HEAD).$(git rev-parse --short=8 HEAD)"
fi
arch=$(dpkg --print-architecture)

cmake -S . -B "$out/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DBUILD_TESTING=OFF -DORVANE_BENCHMARKS=OFF >/dev/null
cmake --build "$out/build" --target orvane -j "${JOBS:-$(nproc)}"
stage="$out/stage"
rm -rf "$stage"
DESTDIR="$PWD/$stage" cmake --install "$out/build" --strip >/dev/null

# The libraries the program links, as dpkg-shlibdeps finds them.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/debian"
printf 'Source: orvane\n\nPackage: orvane\nArchitecture: any\n' >"$work/debian/control"
libraries=$(cd "$work" && dpkg-shlibdeps -O "$OLDPWD/$stage/usr/bin/orvane" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')
# What it uses without linking it: the media plug-ins and the MIDI sound font, the Japanese
# interface font, and the shared MIME database behind the desktop's file types.
runtime="gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-plugins-bad, gstreamer1.0-libav,"
runtime="$runtime timgm6mb-soundfont | fluid-soundfont-gm, fonts-ipafont-gothic, shared-mime-info"

mkdir -p "$stage/DEBIAN"
size=$(du -sk "$stage/usr" | cut -f1)
cat >"$stage/DEBIAN/control" <<CONTROL
Package: orvane
Version: $version
Architecture: $arch
Maintainer: Orvane developers <orvane@users.noreply.example>
Installed-Size: $size
Depends: $libraries, $runtime
Recommends: gstreamer1.0-pulseaudio | gstreamer1.0-alsa
Section: utils
Priority: optional
Homepage: https://example.invalid/orvane
Description: single-window file viewer with a Japanese interface
 Orvane lists a folder's entries with their icons, size, type and time and
 shows the selected file: pictures (BMP, ICO, CUR, WMF, EMF, the icons of
 programs), plain and rich text, HTML pages with GIF and JPEG pictures, MIDI,
 WAV, AVI and MPEG audio. A double-click starts the file's application, and
 the windows of chosen document types are kept as previews.
CONTROL
package="$out/orvane_${version}_${arch}.deb"
dpkg-deb --build --root-owner-group "$stage" "$package" >/dev/null
echo "$package"
