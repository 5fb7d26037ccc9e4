#!/usr/bin/env bash
# Installs what building and playing need, builds the game and its asset pack (without the tests),
# and starts the game.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$ROOT/scripts/setup.sh"
tq_install "${TQ_PLAY_PACKAGES[@]}"
# Warnings stay warnings here (even in a build directory the tests made), so that a newer
# compiler's new warning never stops anyone from playing.
TQ_CMAKE_OPTIONS=(-DTQ_BUILD_TESTS=OFF -DTQ_WERROR=OFF)
tq_build "$BUILD_DIR" tannenquirl assets
cd "$BUILD_DIR/data"
exec "$BUILD_DIR/tannenquirl" "$@"
