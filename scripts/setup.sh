#!/usr/bin/env bash
# Shared set-up of play.sh and test.sh: install what is missing, configure and build.
# Sourced; expects ROOT to be the checkout and sets BUILD_DIR.
set -euo pipefail

TQ_PACKAGES=(build-essential cmake pkg-config clang-format libsdl2-dev libcairo2-dev
             fonts-dejavu-core libgtest-dev libgmock-dev googletest libbenchmark-dev libebur128-dev
             xvfb xdotool x11-apps)

tq_missing_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    echo "${missing[@]:-}"
}

tq_install() {
    local missing
    missing=$(tq_missing_packages "$@")
    [ -z "$missing" ] && return 0
    echo "Installing: $missing"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    # shellcheck disable=SC2086
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

# tq_build DIR [TARGET...]: configures and builds DIR (every target when none are named).
tq_build() {
    local dir=$1; shift
    cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    if [ $# -gt 0 ]; then
        cmake --build "$dir" -j"$(nproc)" --target "$@"
    else
        cmake --build "$dir" -j"$(nproc)"
    fi
}

tq_install "${TQ_PACKAGES[@]}"
BUILD_DIR="${TQ_BUILD_DIR:-$ROOT/build}"
