#!/usr/bin/env bash
# Installs the Debian packages the editor needs to build, run and test
# (ImageMagick: the thumbnail bench times our resampler beside its resize).
# Idempotent: packages already present are left alone and apt is not asked again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev libqt6opengl6-dev qt6-base-dev-tools
  libgl-dev libegl-dev libglu1-mesa-dev libgl1-mesa-dri
  libjpeg62-turbo-dev libpng-dev libpugixml-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-liberation
  clang libclang-rt-dev
  imagemagick
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
