#!/usr/bin/env bash
# Installs the Debian packages Tessel needs to build, run and test. Quick when everything is there.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    libstb-dev                    # image decoding and PNG writing
    qt6-base-dev libgl-dev        # the desktop program and the image renderer
    fonts-dejavu-core fonts-dejavu-extra  # the renderer's fonts; a font for the desktop's texts
    libgtest-dev libbenchmark-dev
    valgrind                      # the leak check of a long replay
    clang libclang-rt-14-dev      # the fuzz targets: clang 14 and its libFuzzer and sanitizer runtimes
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
