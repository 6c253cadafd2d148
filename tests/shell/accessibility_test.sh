#!/usr/bin/env bash
# accessibility_test.sh desktop TESSEL | web BROWSER URL: the game heard through Orca, on an X display and a
# session bus of their own (the accessibility bus is started on that bus's demand).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
runtime=$(mktemp -d)  # runtime and state folders of its own: no running copy to hand over to, no kept game
trap 'rm -rf "$runtime"' EXIT
# Orca will not start while another Orca of the same user runs: one test at a time, the others wait here.
exec 9>"${TMPDIR:-/tmp}/tessel-orca-test.lock"
flock 9
export XDG_RUNTIME_DIR=$runtime XDG_STATE_HOME=$runtime/state XDG_CONFIG_HOME=$runtime/config QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb \
    GTK_A11Y=atspi
# For the sanitizer build: a leak of Qt's own at exit, and nothing else, is forgiven. Qt's libraries keep no
# frame pointers, so the leak's stack is found by the slow unwinder.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$here/accessibility_lsan.supp"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0"
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS SPEECHD_ADDRESS
# Debian's pyatspi and Orca are for the system's Python.
# The bus comes second, so that the services it starts (the registry, which makes key presses) see the display.
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" dbus-run-session -- \
    /usr/bin/python3 "$here/accessibility_test.py" "$@"
