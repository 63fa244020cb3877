#!/usr/bin/env bash
# Installs from Debian's packages what building, running and testing the viewer need.
# Does nothing when everything is already there, so repeated runs are quick.
set -euo pipefail

packages=(
  build-essential cmake g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev fonts-liberation
  clang libclang-rt-14-dev
  xvfb xdotool x11-apps imagemagick poppler-utils
  libosmium2-dev libprotozero-dev libproj-dev proj-data zlib1g-dev libbz2-dev libexpat1-dev
  desktop-file-utils appstream dpkg-dev file python3
  coreutils mawk man-db
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
