#!/usr/bin/env bash
# scripts/measure-start.sh [RUNS] [LANGUAGE]: the desktop program's start against a bare Qt window with the
# same menu bar and picture (bench/start): from launch to the window mapped, under one Xvfb, the two run
# in turn RUNS times (15 unless told). Prints the medians of the wall-clock time and of the main thread's
# CPU time, the instructions each ran up to its window's map request (one run each under callgrind, which
# counts the same whatever else the machine is doing), and the ratios. LANGUAGE (say de_DE.UTF-8) starts both in
# that locale. Needs build/ (the quick part of the test command) built with the benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
locale=${2:-C.UTF-8}
bin=build/bin
for program in tessel tessel_window_start tessel_bare_window; do
    [[ -x $bin/$program ]] || { echo "measure-start: $bin/$program is not built" >&2; exit 1; }
done

home=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$home"' EXIT
# A display of its own, at a number well away from the ones other programs pick; another number is tried
# when that one turns out taken.
for _ in $(seq 10); do
    number=$((400 + RANDOM % 500))
    [[ -e /tmp/.X$number-lock ]] && continue
    display=:$number
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do
        xdpyinfo -display "$display" >/dev/null 2>&1 && break 2
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.1
    done
done

export DISPLAY=$display HOME=$home XDG_CONFIG_HOME=$home/config XDG_STATE_HOME=$home/state
export XDG_RUNTIME_DIR=$home/run LANG=$locale LC_ALL=$locale QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# One start timed; tried again should the display be lost for a moment.
timed() {
    for _ in 1 2 3; do "$bin/tessel_window_start" 1 "$@" && return; sleep 0.5; done
    return 1
}
# One start of each first, unmeasured: the files they read are then in the page cache for both.
timed "$bin/tessel" >/dev/null
timed "$bin/tessel_bare_window" >/dev/null
: >"$home/tessel.times"
: >"$home/bare.times"
for _ in $(seq "$runs"); do
    timed "$bin/tessel" >>"$home/tessel.times"
    timed "$bin/tessel_bare_window" >>"$home/bare.times"
done
# Instructions up to the window's map request: each program counted under callgrind once, ended there by
# a preloaded library (bench/start/exit_at_map.cpp).
for program in tessel tessel_bare_window; do
    LD_PRELOAD=$PWD/build/lib/libtessel_exit_at_map.so valgrind --tool=callgrind \
        --callgrind-out-file="$home/$program.callgrind" "$bin/$program" >/dev/null 2>&1 || true
done
python3 - "$home/tessel.times" "$home/bare.times" "$home"/tessel.callgrind "$home"/tessel_bare_window.callgrind <<'PY'
import re, statistics, sys
def instructions(path):
    return int(re.search(r"^summary: (\d+)", open(path).read(), re.M).group(1))
def medians(path):
    rows = [tuple(map(float, line.split())) for line in open(path)]
    return statistics.median(r[0] for r in rows), statistics.median(r[1] for r in rows)
tessel, bare = medians(sys.argv[1]), medians(sys.argv[2])
print(f"to the window mapped, medians of {sum(1 for _ in open(sys.argv[1]))} runs each")
print(f"  wall clock:       tessel {tessel[0]:.1f} ms, bare Qt window {bare[0]:.1f} ms, ratio {tessel[0] / bare[0]:.2f}")
print(f"  main thread's CPU: tessel {tessel[1]:.1f} ms, bare Qt window {bare[1]:.1f} ms, ratio {tessel[1] / bare[1]:.2f}")
counted, yardstick = instructions(sys.argv[3]), instructions(sys.argv[4])
print(f"  instructions:      tessel {counted / 1e6:.1f} M, bare Qt window {yardstick / 1e6:.1f} M, ratio {counted / yardstick:.2f}")
PY
