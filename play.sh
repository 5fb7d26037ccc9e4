#!/usr/bin/env bash
# Installs what is missing, builds the game and its asset pack, and starts the game.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$ROOT/scripts/setup.sh"
tq_build "$BUILD_DIR" tannenquirl assets
cd "$BUILD_DIR/data"
exec "$BUILD_DIR/tannenquirl" "$@"
