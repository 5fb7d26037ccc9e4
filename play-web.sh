#!/usr/bin/env bash
# Installs what building the browser version needs (as ./play.sh does), builds it into build-web/
# and serves it at http://localhost:8080 (PORT=... for another port). build-web/ is a static site:
# any web server can serve it as it is.
#
#   ./play-web.sh               build and serve
#   ./play-web.sh --build-only  build only
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$ROOT/scripts/setup.sh"
tq_install "${TQ_PLAY_PACKAGES[@]}" "${TQ_WEB_PACKAGES[@]}"
SITE="$ROOT/build-web"

# The pictures and sounds are drawn by the Linux tools, then packed for the page.
TQ_CMAKE_OPTIONS=(-DTQ_BUILD_TESTS=OFF)
tq_build "$BUILD_DIR" assets
tq_build_web "$BUILD_DIR/web" "$SITE" -DTQ_WERROR=OFF
[ "${1:-}" = "--build-only" ] && exit 0

PORT="${PORT:-8080}"
echo "Tannenquirl Rauze: http://localhost:$PORT/ (Ctrl+C ends it)"
exec python3 -m http.server "$PORT" --bind 127.0.0.1 --directory "$SITE"
