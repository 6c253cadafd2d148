#!/usr/bin/env bash
# Installs the Debian packages Tessel needs to build, run and test. Quick when everything is there.
# scripts/install-deps.sh web: also what the web version and its browser tests need, and the npm packages
# of package-lock.json. scripts/install-deps.sh package: also what building and checking the Debian packages
# needs (the web version's tools included).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake ninja-build ccache g++ make pkg-config
    python3                       # the images compiled in
    libstb-dev                    # tessel-replay's PNG files
    qt6-base-dev libgl-dev        # the desktop program and the image renderer
    fonts-dejavu-core fonts-dejavu-extra  # the renderer's fonts; a font for the desktop's texts
    libgtest-dev libbenchmark-dev
    libxcb1-dev x11-utils         # the desktop's start timed to its window mapped (scripts/measure-start.sh)
    valgrind                      # the leak check of a long replay
    clang libclang-rt-14-dev      # the fuzz targets: clang 14 and its libFuzzer and sanitizer runtimes
    # the desktop program read as a screen reader reads it: a display, a session bus, the accessibility
    # bus and Python's AT-SPI client
    xvfb xauth dbus-daemon at-spi2-core python3-pyatspi
    orca speech-dispatcher python3-speechd  # the screen reader itself, speaking through a silent module
    xdotool                       # the keyboard's focus given to a window, there being no window manager
    gettext                       # the translations compiled (msgfmt) and their template made (xgettext)
    i18nspector                   # the translations' check
    qt6-translations-l10n         # Qt's own buttons and dialogs in the player's language
    fonts-noto-core fonts-noto-cjk  # Arabic, Japanese and Chinese on the desktop
    espeak-ng                     # the screen reader's voices of every language
)
web=false
if [ "${1:-}" = package ]; then
    packages+=(
        build-essential debhelper dpkg-dev  # dpkg-buildpackage and dh
        lintian                   # the packages' check
        appstream desktop-file-utils man-db  # the metainfo's, desktop entry's and man pages' checks
    )
fi
if [ "${1:-}" = web ] || [ "${1:-}" = package ]; then
    web=true
    packages+=(
        emscripten                # the core compiled to WebAssembly
        chromium firefox-esr      # browsers the page is tested in, the third being WebKitGTK's
        webkit2gtk-driver         #   MiniBrowser, driven by WebKitWebDriver,
        xvfb xauth libgl1-mesa-dri #  on a display of its own, with OpenGL in software
        nodejs python3            # the test runner; a web server for a quick try
        node-terser node-clean-css  # the page's scripts and style made small
    )
    # A Node.js from elsewhere brings its own npm; Debian's npm would ask for Debian's Node.js.
    command -v npm >/dev/null || packages+=(npm)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    "${as_root[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The browser tests drive the system's Chromium through playwright-core and its Firefox through
# puppeteer-core, at the versions of the lock file; neither downloads a browser of its own.
if $web && ! [ node_modules/.package-lock.json -nt package-lock.json ]; then
    PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund
fi
