#!/usr/bin/env bash
# tessel-replay over a long game: thousands of taps on the menu and on "Normal", run under the leak
# checker given after the program (valgrind ...), or alone in the sanitizer build, which checks at exit.
set -eu
replay=$1
shift
script=$(mktemp)
trap 'rm -f "$script"' EXIT
awk 'BEGIN {
    srand(8); print "tick 1000"; print "splash"
    for (i = 0; i < 10000; i++) {
        if (i % 100 == 10) print "tap 119 77"           # the "Normal" label
        else if (i % 100 == 99) print "tap 119 237"     # Quit
        else printf "tap %d %d\n", rand() * 250, rand() * 280
    }
}' >"$script"
"$@" "$replay" "$script" >/dev/null
