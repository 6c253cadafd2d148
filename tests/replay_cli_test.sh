#!/usr/bin/env bash
# tessel-replay through its command line: a whole game, its frames, and the errors bad input gets.
set -u
replay=$1
examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check NAME CONDITION...
    local name=$1; shift
    if "$@"; then echo "ok   $name"; else echo "FAIL $name"; failures=$((failures + 1)); fi
}

# The example plays "Normal" and writes the start picture and every present.
"$replay" --frames "$work/frames" "$examples/normal.txt" >"$work/out.jsonl" 2>"$work/err"
check "example exits 0" test $? -eq 0
check "one line for the start and each command" test "$(wc -l <"$work/out.jsonl")" -eq 9
check "start line" grep -q '^{"line":0,"command":"start","screen":1,' "$work/out.jsonl"
check "label tap opens Normal" grep -q '^{"line":5,"command":"tap","screen":20,"screenAtTap":1,' "$work/out.jsonl"
check "shared edge presents twice plus once" grep -q '"line":8,.*"presents":3}$' "$work/out.jsonl"
check "Quit returns to the menu" grep -q '^{"line":10,"command":"tap","screen":1,"screenAtTap":20,' "$work/out.jsonl"
# start + 1 (label) + 2 + 2 + 3 + 1 + 1 presents
check "every present is a frame" test "$(ls "$work/frames" | wc -l)" -eq 11
check "frames are named in order" test -f "$work/frames/00010.png"
check "frame is a 239x267 PNG" bash -c "od -An -tx1 -j16 -N8 '$work/frames/00000.png' | tr -d ' \\n' | grep -q '000000ef0000010b'"

# Every sample script plays through.
for script in "$examples"/*.txt; do
    "$replay" "$script" >/dev/null 2>&1
    check "$(basename "$script") plays" test $? -eq 0
done

# Standard input, and the same game gives the same record.
"$replay" - <"$examples/normal.txt" >"$work/again.jsonl"
check "stdin replay is identical" cmp -s "$work/out.jsonl" "$work/again.jsonl"

# Bad input: status 2, the lines before it printed, the line number named.
expect_error() {  # expect_error NAME SCRIPT_TEXT PATTERN [ARGS...]
    local name=$1 text=$2 pattern=$3; shift 3
    printf '%b' "$text" | "$replay" "$@" - >"$work/bad.out" 2>"$work/bad.err"
    local status=$?
    check "$name: status 2" test $status -eq 2
    check "$name: message" grep -q "$pattern" "$work/bad.err"
}
expect_error "unknown command" 'splash\n\nfly 1 2\ntap 1 1\n' '^tessel-replay: 3: unknown command'
check "lines before the bad one ran" test "$(wc -l <"$work/bad.out")" -eq 2
expect_error "missing value" 'tick\n' '^tessel-replay: 1: '
expect_error "out of range" '# x\ntap 65536 1\n' '^tessel-replay: 2: '
expect_error "negative" 'tick -5\n' '^tessel-replay: 1: '
"$replay" "$work/no-such-script" >/dev/null 2>"$work/err"
check "unreadable script: status 2" test $? -eq 2
check "unreadable script: message" grep -q '^tessel-replay: ' "$work/err"
touch "$work/file"
expect_error "unwritable frames folder" 'splash\n' '^tessel-replay: ' --frames "$work/file/frames"
"$replay" >/dev/null 2>&1
check "no script: status 2" test $? -eq 2

[ $failures -eq 0 ] && echo "replay command line: all checks passed" || echo "replay command line: $failures failed"
exit $((failures > 0))
