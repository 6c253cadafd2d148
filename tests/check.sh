# Sourced by the shell tests: `check NAME CONDITION...` counts failures; `finish WHAT` reports and exits.
failures=0
check() {
    local name=$1; shift
    if "$@"; then echo "ok   $name"; else echo "FAIL $name"; failures=$((failures + 1)); fi
}
finish() {
    [ $failures -eq 0 ] && echo "$1: all checks passed" || echo "$1: $failures failed"
    exit $((failures > 0))
}
