#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo run need, if any is missing.
set -euo pipefail
packages=(
    cmake g++ libgtest-dev python3 mingw-w64
    wine wine64 xvfb xdotool x11-utils x11-xserver-utils imagemagick
    pulseaudio pulseaudio-utils sox libsox-fmt-mp3
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    fonts-ipafont-gothic libx11-dev libxrandr-dev libxdamage-dev libgl-dev libglu1-mesa-dev xauth
    xscreensaver xscreensaver-gl lintian dpkg-dev
    locales clang clang-format libclang-rt-14-dev
    nsis zip icoutils 7zip osslsigncode openssl
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
