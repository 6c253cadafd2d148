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
zeros='\[[0,]*\]'
check "start line holds every field in order" grep -q "^{\"line\":0,\"command\":\"start\",\"screen\":1,\"screenAtTap\":1,\"solved\":0,\"tapActed\":0,\"splashPending\":1,\"tapX\":0,\"tapY\":0,\"bannerY\":$zeros,\"tileGrid\":{\"tile\":$zeros,\"cellLeft\":$zeros,\"cellTop\":$zeros},\"lightGrid\":{\"lit\":$zeros,\"cellLeft\":$zeros,\"cellTop\":$zeros},\"fixedColumn\":0,\"fixedRow\":0,\"blankCol\":0,\"blankRow\":0,\"presents\":0}$" "$work/out.jsonl"
check "label tap opens Normal" grep -q '^{"line":5,"command":"tap","screen":20,"screenAtTap":1,' "$work/out.jsonl"
check "shared edge presents twice plus once" grep -q '"line":8,.*"presents":3}$' "$work/out.jsonl"
check "Quit returns to the menu" grep -q '^{"line":10,"command":"tap","screen":1,"screenAtTap":20,' "$work/out.jsonl"
# start + 1 (label) + 2 + 2 + 3 + 1 + 1 presents, named in order
check "every present is a frame" test "$(ls "$work/frames" | wc -l)" -eq 11 -a -f "$work/frames/00010.png"
check "frame is a 239x267 PNG" bash -c "od -An -tx1 -j16 -N8 '$work/frames/00000.png' | tr -d ' \\n' | grep -q '000000ef0000010b'"
"$replay" - <"$examples/normal.txt" >"$work/again.jsonl"
check "stdin replay is identical" cmp -s "$work/out.jsonl" "$work/again.jsonl"
for script in "$examples"/*.txt; do
    "$replay" "$script" >/dev/null 2>&1
    check "$(basename "$script") plays" test $? -eq 0
done

# Bad input: status 2, the lines before it printed, the line number named.
expect_error() {  # expect_error NAME SCRIPT_TEXT PATTERN [ARGS...]
    local name=$1 text=$2 pattern=$3; shift 3
    printf '%b' "$text" | "$replay" "$@" - >"$work/bad.out" 2>"$work/bad.err"
    check "$name: status 2" test $? -eq 2
    check "$name: message" grep -q "$pattern" "$work/bad.err"
}
expect_error "unknown command" 'splash\n\nfly 1 2\ntap 1 1\n' '^tessel-replay: 3: unknown command'
check "lines before the bad one ran" test "$(wc -l <"$work/bad.out")" -eq 2
touch "$work/file"
expect_error "unwritable frames folder" 'splash\n' '^tessel-replay: ' --frames "$work/file/frames"
"$replay" "$work/no-such-script" >/dev/null 2>"$work/err"
check "unreadable script: status 2" test $? -eq 2 -a -s "$work/err"

[ $failures -eq 0 ] && echo "replay command line: all checks passed" || echo "replay command line: $failures failed"
exit $((failures > 0))
