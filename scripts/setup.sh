#!/usr/bin/env bash
# Installs the Debian packages the recorder, its tools and its tests need.
# Idempotent: installs only what is missing.
set -euo pipefail

packages=(
  qt6-base-dev qt6-serialport-dev qt6-svg-dev libqt6test6 libqt6svg6 libmseed-dev libinih-dev libliquid-dev
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools linguist-qt6 qt6-translations-l10n
  cmake ninja-build g++ pkg-config
  xvfb xauth x11-utils xdotool imagemagick
  libxtst-dev fonts-ipafont-gothic
  mseed2sac libxml2-utils
  libbenchmark-dev valgrind strace xtrace
  desktop-file-utils appstream dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
