#!/usr/bin/env bash
# tessel-replay through its command line: every sample game, the frames of one, a kept game and what bad
# input gets.
set -u
replay=$1
examples=$2
version=$3
solves=$4
linguas=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/check.sh"
# tessel-replay refusing what it is given: status 2, nothing on standard output, one line on standard error.
refuses() { "$replay" "$@" >"$work/out" 2>"$work/err"; test $? -eq 2 -a ! -s "$work/out" -a "$(wc -l <"$work/err")" -eq 1; }
# A script stopped on its bad line: status 2, one line on standard error beginning MESSAGE, and only what the
# lines before it played: LINES records out and FRAMES pictures.
stops() {  # stops WHAT SCRIPT MESSAGE "LINES FRAMES"
    printf '%b' "$2" | "$replay" --frames "$work/stopped" - >"$work/bad.out" 2>"$work/bad.err"
    check "$1: status 2, one line naming its line, nothing played after it" test $? -eq 2 -a "$(wc -l <"$work/bad.err") \
$(head -c ${#3} "$work/bad.err") $(wc -l <"$work/bad.out") $(ls "$work/stopped" | wc -l)" = "1 $3 $4"
    rm -rf "$work/stopped"
}

for script in "$examples"/*.txt; do
    "$replay" "$script" >/dev/null 2>&1
    check "$(basename "$script") plays" test $? -eq 0
done
# "Normal": the start picture and every present are frames: start + label + 2 + 2 + 3 + 1 + 1.
"$replay" --frames "$work/frames" "$examples/normal.txt" >"$work/out.jsonl"
check "a line for the start and each command" test "$(wc -l <"$work/out.jsonl")" -eq 9
check "a shared edge presents twice plus once; three moves, no time passed, the game's ID" grep -q '"line":8,.*"presents":3,"undo":3,"redo":0,"cursor":null,"grabbed":0,"hint":null,"moves":3,"time":0,"gameId":"normal-1000","said":"column 1 down, column 2 down"}$' "$work/out.jsonl"
check "every present is a frame, in order" test "$(ls "$work/frames" | wc -l)" -eq 11 -a -f "$work/frames/00010.png"

# Looks: classic unless told; another draws every picture in its colours, the game the same.
for look in classic high-contrast dark; do
    "$replay" --look "$look" --frames "$work/$look" "$examples/normal.txt" >"$work/$look.jsonl"
    check "--look $look: the very lines of no --look" cmp -s "$work/out.jsonl" "$work/$look.jsonl"
done
check "--look classic: the very pictures of no --look" diff -rq "$work/frames" "$work/classic"
for look in high-contrast dark; do
    differing=$(for frame in "$work/classic"/*.png; do cmp -s "$frame" "$work/$look/${frame##*/}" || echo; done | wc -l)
    check "--look $look: every one of the 11 pictures in other colours" test "$differing" -eq 11
done

# Languages: English unless told; another says each record's "said" in its words, the game the same.
"$replay" --language de "$examples/normal.txt" >"$work/de.jsonl"
check "--language de: the same records but what is said" \
    test "$(sed 's/,"said":.*//' "$work/de.jsonl")" = "$(sed 's/,"said":.*//' "$work/out.jsonl")"
check "--language de: said in German" grep -q '"line":5,.*"said":"Normal gestartet"}$' "$work/de.jsonl"
# Every language over every puzzle's moves: no English left in what is said ("menu" aside, written alike).
said() { for script in "$examples"/*.txt; do "$replay" "$@" "$script"; done | sed 's/.*"said":"\(.*\)"}$/\1/'; }
said >"$work/said.en"
for language in $(grep -v '^#' "$linguas"); do
    said --language "$language" >"$work/said.$language"
    check "--language $language: no English left in what is said after each move" test -z "$(paste -d '|' \
        "$work/said.en" "$work/said.$language" | awk -F '|' '{
            n = split($1, parts, /, |: /)
            for (i = 1; i <= n; i++)
                if (parts[i] ~ /[a-z][a-z]/ && parts[i] != "menu" && index($2, parts[i])) print
        }')"
done
check "--language en: the very lines of no --language" cmp -s "$work/out.jsonl" <("$replay" --language en "$examples/normal.txt")
check "--language the game lacks: status 2, one line, nothing played" refuses --language tlh "$examples/normal.txt"

# Keys: the first shows the cursor, the next moves it, Enter on the board takes hold.
printf 'splash\nkey Down\nkey Down\nkey Enter\nkey Enter\n' | "$replay" - >"$work/keys.jsonl"
check "keys: the cursor shown, moved, on the board's first cell, grabbed" test \
    "$(sed 's/.*"presents":\([0-9]*\),.*"cursor":\(.*\),"hint":null,.*$/\1 \2/' "$work/keys.jsonl" | tr '\n' ' ')" = \
    '0 null,"grabbed":0 0 null,"grabbed":0 1 [0,0],"grabbed":0 1 [0,1],"grabbed":0 1 [1,1],"grabbed":0 1 [1,1],"grabbed":1 '

# Bad input (a blank line is none).
stops "unknown command" 'splash\n\nfly 1 2\ntap 1 1\n' "tessel-replay: 3: unknown command" "2 1"
for command in 'move 100 100' release cancel; do
    stops "$command with no press" "splash\ntap 100 75\n$command\n" "tessel-replay: 3: ${command%% *} with no press before it" "3 2"
done
# A drag of three cells: three moves (every drag against the taps it stands for: tests/drag_test.cpp).
printf 'tick 5\nsplash\ntap 100 75\npress 107 110\nmove 150 111\nmove 180 112\nrelease\n' | "$replay" - >"$work/dragged"
check "a drag of three cells: three moves" grep -q '"command":"release",.*"undo":3,.*"moves":3,' "$work/dragged"
touch "$work/file"
check "unwritable frames folder: refused" refuses --frames "$work/file/frames" - <<<splash
check "unreadable script: refused" refuses "$work/no-such-script"

# keep and resume: the record and picture come back as kept (the splash aside); a cut file is refused.
printf 'splash\ntick 77\ntap 90 70\ntap 107 40\ntick 5077\nkeep %s\n' "$work/kept" |
    "$replay" --frames "$work/played" - | tail -1 | sed 's/"presents":[0-9]*,//' >"$work/kept.json"
printf 'resume %s\nsplash\n' "$work/kept" | "$replay" --frames "$work/resumed" - | tail -1 |
    sed 's/"line":2,"command":"splash"/"line":6,"command":"keep"/; s/"presents":[0-9]*,//' >"$work/resumed.json"
check "resume: the move, its time and its Undo" grep -q '"undo":1,.*"moves":1,"time":5000,' "$work/resumed.json"
check "resume: the record as kept" cmp -s "$work/kept.json" "$work/resumed.json"
check "resume: the picture as kept" cmp -s "$work/played/00003.png" "$work/resumed/00001.png"
head -c 100 "$work/kept" >"$work/cut"
echo "resume $work/cut" | "$replay" - >/dev/null 2>"$work/err"
check "resume of a cut file: status 2 and a message" test $? -eq 2 -a -s "$work/err"

# A game ID plays the very board its scramble dealt; one that is no ID stops the script on its line.
printf 'tick 4297\nsplash\ntap 119 127\n' | "$replay" --frames "$work/dealt" - | tail -1 >"$work/dealt.json"
printf 'splash\ntick 9\ntap 119 77\ntap 107 40\ngame unmovable-%s\n' \
    "$(sed 's/.*"gameId":"unmovable-\([^"]*\)".*/\1/' "$work/dealt.json")" |
    "$replay" --frames "$work/named" - | tail -1 >"$work/named.json"
strip() { sed 's/"line":[0-9]*,"command":"[a-z]*",//; s/"screenAtTap":[0-9]*,//; s/"tapX".*"bannerY"/"bannerY"/; s/,"said":.*}$/}/' "$1"; }
check "game ID: the record of its scramble" cmp -s <(strip "$work/dealt.json") <(strip "$work/named.json")
check "game ID: the picture of its scramble" cmp -s "$work/dealt/00001.png" "$work/named/00004.png"
for bad in "normal-" "unmovable-4297" "jigsaw-1" $'normal-1\x01'; do  # each refusal: game_id_test.cpp
    stops "game '$bad'" "tick 1\nsplash\ngame $bad\ntap 1 1\n" "tessel-replay: 3: " "3 1"
done

# Every puzzle: a solve played, its link taken from the solving command's record and watched on a fresh
# start shows the very pictures it showed, then the game in play's again, and ends at its moves and time;
# the game in play is as it was, down to its kept form.
for solve in "$solves"/*.txt; do
    name=$(basename "$solve" .txt)
    "$replay" --frames "$work/played-$name" "$solve" | tail -1 >"$work/solved.json"
    link=$(sed -n 's/.*"solveLink":"\([A-Za-z0-9._-]*\)"}$/\1/p' "$work/solved.json")
    ends=$(sed 's/.*"moves":\([0-9]*\),"time":\([0-9]*\),"gameId":\("[^"]*"\),.*/{"moves":\1,"time":\2,"gameId":\3}/' "$work/solved.json")
    printf 'splash\nkeep %s\nwatch %s\nkeep %s\n' "$work/before" "$link" "$work/after" |
        "$replay" --frames "$work/watched-$name" - >"$work/watch.jsonl"
    frames=$(ls "$work/played-$name" | wc -l)
    same=$(for frame in $(seq -f %05g.png 1 $((frames - 1))); do
        cmp -s "$work/played-$name/$frame" "$work/watched-$name/$frame" && echo; done | wc -l)
    cmp -s "$work/watched-$name/00000.png" "$work/watched-$name/$(printf %05d.png "$frames")"
    check "$name: watched, every one of its $((frames - 1)) pictures as played, then the game in play's again" \
        test $? -eq 0 -a -n "$link" -a "$same" -eq $((frames - 1)) -a "$(ls "$work/watched-$name" | wc -l)" -eq \
        $((frames + 1)) -a "$(sed -n 4p "$work/watch.jsonl" | grep -c "\"presents\":$frames,")" = 1
    check "$name: the watched game ends at the solve's moves, time and ID" \
        test "$(sed -n 's/.*,"watched":\(.*\)}$/\1/p' "$work/watch.jsonl")" = "$ends"
    strip() { sed 's/"line":[0-9]*,"command":"[a-z]*",//; s/"presents":[0-9]*,//; s/,"said":"[^"]*"//; s/,"watched":.*}$/}/' "$1"; }
    check "$name: the game in play as it was, and kept the same, its generator too" test \
        "$(sed -n 3p "$work/watch.jsonl" | strip /dev/stdin)" = "$(sed -n 4p "$work/watch.jsonl" | strip /dev/stdin)" -a \
        "$(cmp "$work/before" "$work/after" && echo same)" = same
done
# A link refused: read when its line is, or played on a record no one sees first; one line naming the
# line, status 2, nothing shown. Its many malformed shapes: solve_link_test.cpp; the solves refused when
# played: watch_test.cpp.
link=$("$replay" "$solves/unmovable.txt" | tail -1 | sed -n 's/.*"solveLink":"\([^"]*\)"}$/\1/p')
moves=${link#*.1.}
unsolved=${link%%.1.*}.1.${moves:0:4}  # its first move alone, at 0
for bad in "normal-4297.1.AA" "$unsolved"; do
    stops "watch '${bad:0:24}...'" "splash\nwatch $bad\ntap 1 1\n" "tessel-replay: 2: solve link" "2 1"
done

# Driven through a pipe: each command's line comes at once; Undo, Redo and a hint through it.
coproc REPLAY { "$replay" -; }
reply() { read -r -t 10 line <&"${REPLAY[0]}" && echo "$line"; }
send() { echo "$1" >&"${REPLAY[1]}"; reply; }
reply >/dev/null
for command in "tick 1000" splash "tap 119 77" "tap 107 40"; do send "$command" >"$work/moved"; done
check "a pipe gets each line at once" grep -q '"tapActed":1,.*"undo":1,"redo":0,' "$work/moved"
# What Undo and Redo show: tests/history_test.cpp.
send undo >"$work/undone"
check "undo: the move taken back" grep -q '"command":"undo","screen":20,.*"presents":1,"undo":0,"redo":1,' "$work/undone"
send redo >"$work/redone"
check "redo: the move again" grep -q '"command":"redo","screen":20,.*"presents":2,"undo":1,"redo":0,' "$work/redone"
send hint >"$work/hinted"
point=$(sed -n 's/.*"hint":{"x":\([0-9]*\),"y":\([0-9]*\),"move":"[a-z0-9 ,]*"},.*$/\1 \2/p' "$work/hinted")
check "hint: where to tap and what it does" test -n "$point"  # its tap and what follows: tests/shown_hint_test.cpp
exec {REPLAY[1]}>&-
wait

# The log of solves: six games of "Lights out" solved in 12, 10, 11, 15, 9 and 13 seconds, logged in a file
# and counted by "stats"; each solving command's record carries its solve as a CSV line.
solves() {  # solves START SECONDS...: each game begun at tick START, then 100 seconds on
    local start=$1; shift
    for seconds in "$@"; do
        printf 'game lights-out-1000\ntick %d\ntap 95 109\ntap 119 109\ntap 167 109\ntap 95 133\ntap 167 133\n' "$start"
        printf 'tick %d\ntap 167 157\n' $((start + seconds * 1000))
        start=$((start + 100000))
    done
}
{ echo splash; solves 100000 12 10 11 15 9 13; echo stats; } | "$replay" --log "$work/log" - >"$work/solves.jsonl"
# Each game's line of CSV, dated by the script's ticks (the CSV itself: tests/solve_stats_test.cpp).
check "a record with a solve for each game, as a line of CSV" test "$(sed -n 's/.*"solve":"\([^"]*\)".*$/\1/p' \
    "$work/solves.jsonl" | cut -d, -f2,5 | tr '\n' ' ')" = "1970-01-01T00:01:52Z,12000 1970-01-01T00:03:30Z,10000 \
1970-01-01T00:05:11Z,11000 1970-01-01T00:06:55Z,15000 1970-01-01T00:08:29Z,9000 1970-01-01T00:10:13Z,13000 "
stats='"stats":{"lights-out":{"solves":6,"hinted":0,"time":{"best":9000,"mean":11667,"ao5":11333,"ao12":null,"ao100":null,"bestAo5":11000,"bestAo12":null,"bestAo100":null},"moves":{"best":6,"mean":6,"ao5":6,"ao12":null,"ao100":null,"bestAo5":6,"bestAo12":null,"bestAo100":null},"movesPerSecond":0.53}}}'
check "stats: the best, the mean and the averages of 5 of the six" test "$(tail -1 "$work/solves.jsonl" | grep -o '"stats":{.*')" = "$stats"
# The next run reads the file's six and adds to them.
{ echo splash; solves 1000000 5; echo stats; } | "$replay" --log "$work/log" - | tail -1 >"$work/more.json"
check "a seventh solve added to the file's six" grep -q '"lights-out":{"solves":7,.*"time":{"best":5000,.*"ao5":11000,' "$work/more.json"
sed -i '2s/ 6 / 0 /' "$work/log"
cp "$work/log" "$work/damaged"
check "a damaged log: refused" refuses --log "$work/log" - < <(echo splash; solves 2000000 5)
check "a damaged log: the file as it was" cmp -s "$work/log" "$work/damaged"

# The command line: answers on standard output with 0, a bad option one line on standard error with 2.
"$replay" --help >"$work/out" 2>"$work/err"
check "--help: status 0, usage on standard output only" \
    test $? -eq 0 -a ! -s "$work/err" -a "$(head -c 27 "$work/out")" = "Usage: tessel-replay [--fra"
"$replay" --version >"$work/out" 2>"$work/err"
check "--version: status 0, name and version" \
    test $? -eq 0 -a ! -s "$work/err" -a "$(cat "$work/out")" = "tessel-replay $version"
for bad in "--bogus" "--frames" "--look" "--look pink x.txt" "--log" "--log $work x.txt" "" "a.txt b.txt"; do
    # shellcheck disable=SC2086
    check "'$bad': refused" refuses $bad </dev/null
done

finish "replay command line"
