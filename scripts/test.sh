#!/usr/bin/env bash
# Installs what the build needs, builds everything with warnings as errors and runs every test, the web
# version's in three browser engines included; builds and checks the Debian packages; then runs every test
# again, the desktop program's included, in one clang build under AddressSanitizer and
# UndefinedBehaviorSanitizer that also holds the fuzz targets, which replay their corpus and fuzz a fixed
# number of runs from a fixed seed. Prints how long each section took, at the end or where one failed.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

times=()
section() { # section NAME COMMAND...
    local name=$1 start=$SECONDS
    shift
    echo "== $name"
    "$@"
    times+=("$(printf '%-18s %3d s' "$name" $((SECONDS - start)))")
}
trap 'printf "== times\n" && printf "%s\n" "${times[@]}" && printf "%-18s %3d s\n" total $SECONDS' EXIT

# A second run, from this clone or another, compiles only what changed: ccache keys on paths relative to
# the clone, so that clones in other folders share its cache.
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true
# Configures a Ninja build folder, starting it afresh if it was made by another generator.
configure() {
    local dir=$1
    shift
    if [ -f "$dir/CMakeCache.txt" ] && ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$dir/CMakeCache.txt"; then
        rm -rf "$dir"
    fi
    cmake -G Ninja -S . -B "$dir" -DTESSEL_WERROR=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@" >/dev/null
}

native_build() {
    configure build
    ninja -C build --quiet
}
# The Debian packages: built as a packager would, checked by lintian, unpacked and run. Their web site is
# then played in Chromium, Firefox and WebKit, where it must show the pictures of the tessel-replay just
# built.
packages() {
    TESSEL_WERROR=ON TESSEL_CCACHE=ON scripts/package.sh
    tests/package_test.sh build-package
}
# The screen readers' file first, alone: Orca, reading Firefox, keeps up only on a machine not busy with
# the others. Then the others two at a time: they spend much of their time waiting on the pages.
browser_tests() {
    export TESSEL_SITE=build-package/tessel/obj-web/site TESSEL_REPLAY=build/bin/tessel-replay
    node --test tests/web/accessibility.test.mjs
    find tests/web -name '*.test.mjs' ! -name accessibility.test.mjs -print0 | sort -z |
        xargs -0 node --test --test-concurrency=2
}
# The tests again, and the fuzz targets, in one clang build under both sanitizers.
sanitize_build() {
    configure build-sanitize -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTESSEL_SANITIZE=ON -DTESSEL_FUZZ=ON -DTESSEL_BUILD_BENCH=OFF
    ninja -C build-sanitize --quiet
}

section installs scripts/install-deps.sh package
section "native build" native_build
# The screen reader's test of the desktop program runs once, in the sanitizer build.
section "native tests" ctest --test-dir build --output-on-failure -j"$jobs" -E '^shell_accessibility$'

section "Debian packages" packages
section "browser tests" browser_tests
section "sanitizer build" sanitize_build
# The native run's times tell ctest which tests are long, so that those start first.
sanitizer_tests() {
    mkdir -p build-sanitize/Testing/Temporary
    cp build/Testing/Temporary/CTestCostData.txt build-sanitize/Testing/Temporary/ 2>/dev/null || true
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs"
}
section "sanitizer tests" sanitizer_tests
section fuzzing scripts/fuzz.sh --pinned
