#!/usr/bin/env bash
# The libFuzzer targets (game, replay_script, kept_game, catalogue), built with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer in build-sanitize/, the build scripts/test.sh runs its sanitizer tests in.
#   scripts/fuzz.sh --pinned      every target replays its whole corpus, then fuzzes a fixed number of runs
#                                 from a fixed seed: the same commit, the same result (scripts/test.sh)
#   scripts/fuzz.sh [MINUTES [TARGET...]]
#                                 the campaign before a release: each target (all by default) fuzzes from a
#                                 fresh seed for MINUTES (10 by default); the inputs that reach new code are
#                                 merged into fuzz/corpus/TARGET/, and a failing input is put there too
# A failing input makes the script exit non-zero; it stays in the corpus, failing the pinned runs until the
# fault is fixed. Commit the corpus with the fix.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=(game replay_script kept_game catalogue)
# Runs of the pinned fuzzing, about 10 s each on the 2-core machine: game plays a hint in most inputs. The
# campaign (below) is where fuzzing goes deep.
declare -A pinned_runs=([game]=300 [replay_script]=150000 [kept_game]=10000 [catalogue]=20000)
seed=1

cmake -G Ninja -S . -B build-sanitize -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTESSEL_WERROR=ON -DTESSEL_SANITIZE=ON -DTESSEL_FUZZ=ON -DTESSEL_BUILD_BENCH=OFF >/dev/null
ninja -C build-sanitize --quiet "${targets[@]/%/_fuzz}"

if [ "${1:-}" = --pinned ]; then
    for target in "${targets[@]}"; do
        found=$(mktemp -d)
        echo "== fuzz $target: its corpus, then ${pinned_runs[$target]} runs from seed $seed"
        # Without address randomisation (the fuzzer learns from the values compared, pointers too) and without
        # rereading its output by the clock, the run goes the same way every time.
        setarch -R build-sanitize/bin/"${target}_fuzz" -seed=$seed -runs="${pinned_runs[$target]}" -reload=0 -timeout=10 \
            -print_final_stats=1 -artifact_prefix=build-sanitize/ "$found" "fuzz/corpus/$target" 2>&1 |
            grep -vE '^#[0-9]+.*(NEW|REDUCE|pulse)' || { rm -rf "$found"; exit 1; }
        rm -rf "$found"
    done
    exit 0
fi

minutes=${1:-10}
shift || true
[ $# -eq 0 ] || targets=("$@")
status=0
for target in "${targets[@]}"; do
    found=$(mktemp -d)
    echo "== fuzz $target for $minutes min from a fresh seed"
    if ! build-sanitize/bin/"${target}_fuzz" -max_total_time=$((minutes * 60)) -timeout=10 -print_final_stats=1 \
        -artifact_prefix="fuzz/corpus/$target/" "$found" "fuzz/corpus/$target"; then
        echo "fuzz $target: a failing input is in fuzz/corpus/$target/ (crash-*, timeout-*, leak-*...)"
        status=1
    fi
    # Of the inputs found, only those that reach code the corpus does not are kept.
    build-sanitize/bin/"${target}_fuzz" -merge=1 "fuzz/corpus/$target" "$found" 2>&1 | grep -E 'MERGE-OUTER: [0-9]+ new files' || true
    rm -rf "$found"
done
git status --short fuzz/corpus
exit $status
