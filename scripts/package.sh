#!/usr/bin/env bash
# Builds the Debian packages into build-package/: tessel (the game, tessel-replay, their man pages, the
# desktop entry, metainfo and icons) and tessel-web (the web site's files). The packaging is in debian/.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh package

# dpkg-buildpackage builds inside the source folder and writes the packages beside it, so it works on a
# copy of the sources, without the build folders.
out=build-package
rm -rf "$out"
mkdir -p "$out/tessel"
tar -c --exclude='./build*' --exclude=./node_modules --exclude=./.git --exclude='./frames*' . |
    tar -x -C "$out/tessel"
(cd "$out/tessel" && DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage -b -us -uc)
ls "$out"/*.deb
