#!/usr/bin/env bash
# The Debian packages of scripts/package.sh: lintian finds neither errors nor warnings; unpacked, the programs
# run and the man pages, metainfo and desktop entry pass their own checkers.
#   tests/package_test.sh build-package
set -u
packages=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/check.sh"

lintian --fail-on error,warning --display-info "$packages"/tessel_*.changes >"$work/lintian" 2>&1
check "lintian: no errors, no warnings" test $? -eq 0
grep -v 'root privileges' "$work/lintian"

for deb in "$packages"/tessel_*.deb "$packages"/tessel-web_*_all.deb; do dpkg -x "$deb" "$work/root"; done
root=$work/root
id=org.example.tessel  # the metainfo's, desktop entry's and icons' name
version=$(dpkg-deb -f "$packages"/tessel_*.deb Version)

# The programs, unpacked: --version without any display, the replay of an example that comes with them.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/games/tessel" --version >"$work/out" 2>&1
check "tessel --version, without a display: the package's version" \
    test $? -eq 0 -a "$(cat "$work/out")" = "tessel $version"
"$root/usr/games/tessel-replay" "$root/usr/share/doc/tessel/examples/normal.txt" >"$work/out" 2>"$work/err"
check "tessel-replay plays an example: a line for the start and each command" \
    test $? -eq 0 -a "$(wc -l <"$work/out")" -eq 9 -a ! -s "$work/err"

for page in tessel tessel-replay; do
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$root/usr/share/man/man6/$page.6.gz" \
        2>&1 >/dev/null | tee "$work/man"
    check "$page(6): no warnings" test ! -s "$work/man"
done
# The metainfo, with the desktop entry it names: not one issue from appstreamcli short of its pedantic hints.
appstreamcli validate-tree --strict --no-net "$root" >"$work/appstream" 2>&1
check "metainfo and desktop entry: appstreamcli finds nothing" test $? -eq 0
cat "$work/appstream"
desktop-file-validate "$root/usr/share/applications/$id.desktop" >"$work/desktop" 2>&1
check "desktop entry: valid, with our icon" test $? -eq 0 -a ! -s "$work/desktop" -a \
    "$(grep '^Icon=' "$root/usr/share/applications/$id.desktop")" = "Icon=$id"

for size in 16 24 32 48 64 128 256 512; do
    file "$root/usr/share/icons/hicolor/${size}x$size/apps/$id.png" >"$work/icon"
    check "icon ${size}x$size" grep -q "PNG image data, $size x $size," "$work/icon"
done
check "icon scalable" grep -q '<svg ' "$root/usr/share/icons/hicolor/scalable/apps/$id.svg"
check "web site: page, module, service worker" \
    test -s "$root/usr/share/tessel/web/index.html" -a -s "$root/usr/share/tessel/web/tessel-core.wasm" \
    -a -s "$root/usr/share/tessel/web/sw.js"

finish "packages"
