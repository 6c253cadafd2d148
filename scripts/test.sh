#!/usr/bin/env bash
# Installs what the build needs, builds everything with warnings as errors and runs every test, the web
# version's in a real browser included; runs every test again, the desktop program's included, under
# AddressSanitizer and UndefinedBehaviorSanitizer; then fuzzes the game and the replay script reader for a
# minute each.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/install-deps.sh web

cmake -S . -B build -DTESSEL_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# The web version: built with emscripten, then played in Chromium, Firefox and WebKit, where its menu must
# equal the start picture of the tessel-replay just built.
scripts/web.sh --build-only
TESSEL_REPLAY=build/bin/tessel-replay node --test tests/web/

cmake -S . -B build-sanitize -DTESSEL_WERROR=ON -DTESSEL_SANITIZE=ON -DTESSEL_BUILD_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=Debug
cmake --build build-sanitize -j"$jobs"
ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

scripts/fuzz.sh game 60
scripts/fuzz.sh replay_script 60
