#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running Quandrels need.
# Only missing packages are installed; nothing happens when everything is present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config make git
  zlib1g-dev
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libglew-dev
  libsdl1.2-dev libsdl-image1.2-dev
  libgl1-mesa-dev libgl1-mesa-dri libx11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  xvfb xauth openbox xdotool x11-utils
  valgrind heaptrack
  python3 sox fonts-dejavu-core
  desktop-file-utils appstream dpkg-dev lintian man-db
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
