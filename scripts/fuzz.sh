#!/usr/bin/env bash
# Builds a libFuzzer target with clang under AddressSanitizer and UndefinedBehaviorSanitizer and runs it for
# a bounded time from its committed seed corpus. Usage: scripts/fuzz.sh TARGET SECONDS, e.g.
# scripts/fuzz.sh replay_script 60. A failing input is kept in build-fuzz/ and the script exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: scripts/fuzz.sh TARGET SECONDS (targets: game, replay_script, kept_game)}
seconds=${2:-60}

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSEL_FUZZ=ON \
    -DTESSEL_WERROR=ON -DTESSEL_BUILD_SHELL=OFF -DTESSEL_BUILD_TESTS=OFF -DTESSEL_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${target}_fuzz"

# New inputs found on the way go to a scratch folder; the committed corpus only seeds the run.
found=$(mktemp -d)
trap 'rm -rf "$found"' EXIT
build-fuzz/bin/"${target}_fuzz" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/ "$found" "fuzz/corpus/$target"
