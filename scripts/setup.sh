#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Orvane need (with the argument
# "fuzz", what fuzzing the decoders needs; with "deb", what building its Debian package needs;
# with "bench", what the benchmarks need besides). Quick and quiet when everything is there
# already. Runs apt-get as root, or through sudo.
set -euo pipefail

packages=(
    g++ cmake ninja-build make pkg-config ccache
    qt6-base-dev qt6-svg-dev
    libx11-dev libxdamage-dev zlib1g-dev libpng-dev librsvg2-dev libgdk-pixbuf-2.0-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool x11-utils imagemagick jwm python3
    libmagickcore-6.q16-6-extra
    fonts-ipafont-gothic fonts-ipafont-mincho
    shared-mime-info
    pandoc
    libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-libav
    gstreamer1.0-plugins-ugly
    qt6-image-formats-plugins libpoppler-qt6-dev
    timgm6mb-soundfont
    gstreamer1.0-tools sox openttd-openmsx
    dpkg-dev desktop-file-utils gsettings-desktop-schemas
)
if [[ "${1:-}" == fuzz ]]; then
    packages=(cmake ninja-build libpng-dev clang-14 libclang-rt-14-dev openttd-openmsx)
elif [[ "${1:-}" == deb ]]; then
    packages=(build-essential debhelper dpkg-dev lintian)
fi
# The benchmarks also measure the first sound on a real sound server: PulseAudio, which the
# benchmark starts on a socket of its own (no test needs it).
if [[ "${1:-}" == bench ]]; then
    packages+=(pulseaudio)
fi

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
