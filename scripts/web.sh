#!/usr/bin/env bash
# Builds the web version into build-web/site and serves it on http://localhost:8080 for a quick try.
#   scripts/web.sh               build and serve to this computer only
#   scripts/web.sh --lan         build and serve to the local network too (a phone on the same Wi-Fi)
#   scripts/web.sh --build-only  build only
# The page loads its WebAssembly module over HTTP: opening index.html as a file does not work.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh web
# Debian's em++ runs its JavaScript optimisers with Debian's node modules.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B build-web -DTESSEL_WERROR=ON >/dev/null
cmake --build build-web -j"$(nproc)"

bind=127.0.0.1
case "${1:-}" in
    --build-only) exit 0 ;;
    --lan) bind=0.0.0.0 ;;
esac
echo "Tessel: http://localhost:8080/ (Ctrl+C stops the server)"
exec python3 -m http.server 8080 --bind "$bind" --directory build-web/site
