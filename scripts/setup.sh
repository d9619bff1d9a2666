#!/usr/bin/env bash
# Installs the Debian packages Orvane needs, by need (setup.sh [run|test|bench|fuzz|deb]):
#   run (the default)  building and running the program
#   test               that, and what the tests need besides (the test framework, the X server and
#                      window manager the window tests run under, the tools and fonts they use)
#   bench              that, and the benchmark library and the sound server the benchmarks use
#   fuzz               what fuzzing the decoders needs
#   deb                what building the Debian package needs
# Quick and quiet when everything is there already. Runs apt-get as root, or through sudo.
set -euo pipefail

run=(
    g++ cmake ninja-build make pkg-config ccache
    qt6-base-dev qt6-svg-dev
    libx11-dev libxdamage-dev zlib1g-dev libpng-dev librsvg2-dev libgdk-pixbuf-2.0-dev
    libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-libav
    gstreamer1.0-plugins-ugly
    qt6-image-formats-plugins libpoppler-qt6-dev
    timgm6mb-soundfont shared-mime-info gsettings-desktop-schemas
    fonts-ipafont-gothic fonts-ipafont-mincho
)
test=(
    libgtest-dev libgmock-dev
    xvfb xauth xdotool x11-utils jwm python3
    imagemagick libmagickcore-6.q16-6-extra
    pandoc gstreamer1.0-tools sox openttd-openmsx
    dpkg-dev desktop-file-utils
)
case "${1:-run}" in
run) packages=("${run[@]}") ;;
test) packages=("${run[@]}" "${test[@]}") ;;
# The benchmarks also measure the first sound on a real sound server: PulseAudio, which the
# benchmark starts on a socket of its own (no test needs it).
bench) packages=("${run[@]}" "${test[@]}" libbenchmark-dev pulseaudio) ;;
fuzz) packages=(cmake ninja-build libpng-dev clang-14 libclang-rt-14-dev openttd-openmsx) ;;
deb) packages=(build-essential debhelper dpkg-dev lintian) ;;
*)
    echo "usage: setup.sh [run|test|bench|fuzz|deb]" >&2
    exit 2
    ;;
esac

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
    sudo=()
elif command -v sudo >/dev/null; then
    sudo=(sudo)
else
    echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
