#!/usr/bin/env bash
# Installs what the build needs, builds everything with warnings as errors and runs every test, the web
# version's in a real browser included; runs every test again, the desktop program's included, under
# AddressSanitizer and UndefinedBehaviorSanitizer; then fuzzes the game, the replay script reader and the
# kept game's reader for a minute each. The Debian packages are built and checked after the web version's
# tests.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/install-deps.sh web

cmake -S . -B build -DTESSEL_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# The web version: built with emscripten, then played in Chromium, Firefox and WebKit, where its menu must
# equal the start picture of the tessel-replay just built, and a game kept while the page is hidden must
# come back.
scripts/web.sh --build-only
TESSEL_REPLAY=build/bin/tessel-replay node --test tests/web/

# The Debian packages: built as a packager would, checked by lintian, unpacked and run.
scripts/package.sh
tests/package_test.sh build-package

cmake -S . -B build-sanitize -DTESSEL_WERROR=ON -DTESSEL_SANITIZE=ON -DTESSEL_BUILD_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=Debug
cmake --build build-sanitize -j"$jobs"
ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

scripts/fuzz.sh game 60
scripts/fuzz.sh replay_script 60
scripts/fuzz.sh kept_game 60
