#!/usr/bin/env bash
# Shared set-up of play.sh, test.sh and fuzz/run.sh: install what is missing, configure and build.
# Sourced; expects ROOT to be the checkout and sets BUILD_DIR.
#
# TQ_NO_INSTALL=1 installs nothing: the set-up names the Debian packages that are missing and
# stops. Without apt-get (a system that is not Debian) it does the same.
set -euo pipefail

# What building and playing need.
TQ_PLAY_PACKAGES=(build-essential cmake pkg-config libsdl2-dev libcairo2-dev fonts-dejavu-core)
# What building the browser version adds (emscripten brings node; python3 serves the page).
TQ_WEB_PACKAGES=(emscripten python3)
# What the tests and the benchmarks add, and what building and checking the Debian package needs;
# the browser version's tests drive Chromium with puppeteer-core (from npm).
TQ_TEST_PACKAGES=(clang-format libgtest-dev libgmock-dev googletest libbenchmark-dev libebur128-dev
                  xvfb xdotool x11-apps file lintian appstream desktop-file-utils
                  "${TQ_WEB_PACKAGES[@]}" chromium npm)
# What fuzzing needs: clang with libFuzzer.
TQ_FUZZ_PACKAGES=(build-essential cmake clang libclang-rt-dev)

# tq_has_package NAME: the Debian package is installed; without dpkg, what it brings is there.
tq_has_package() {
    # Node.js from elsewhere (NodeSource's package) brings an npm of its own and conflicts with
    # Debian's.
    if [ "$1" = npm ] && command -v npm >/dev/null; then return 0; fi
    if command -v dpkg-query >/dev/null; then
        dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
        return
    fi
    case "$1" in
        build-essential) command -v c++ && command -v make ;;
        libsdl2-dev) pkg-config --exists sdl2 ;;
        libcairo2-dev) pkg-config --exists cairo ;;
        fonts-dejavu-core) [ -e /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf ] ;;
        libgtest-dev | googletest) [ -e /usr/include/gtest/gtest.h ] ;;
        libgmock-dev) [ -e /usr/include/gmock/gmock.h ] ;;
        libbenchmark-dev) [ -e /usr/include/benchmark/benchmark.h ] ;;
        libclang-rt-dev) clang -print-file-name=libclang_rt.fuzzer-x86_64.a | grep -q / ;;
        xvfb) command -v Xvfb ;;
        x11-apps) command -v xwd ;;
        appstream) command -v appstreamcli ;;
        desktop-file-utils) command -v desktop-file-validate ;;
        emscripten) command -v emcc ;;
        *) command -v "$1" ;;
    esac >/dev/null 2>&1
}

# tq_install PACKAGE...: installs those of the Debian packages that are missing (apt-get, via
# sudo when not root), or names them and stops.
tq_install() {
    local missing=() p
    for p in "$@"; do tq_has_package "$p" || missing+=("$p"); done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "${TQ_NO_INSTALL:-0}" != 0 ] || ! command -v apt-get >/dev/null; then
        echo "Missing, by Debian package name: ${missing[*]}" >&2
        echo "Install them (or what your system calls them), then run this again." >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# tq_build DIR [TARGET...]: configures DIR with the options in TQ_CMAKE_OPTIONS and builds it
# (every target when none are named).
TQ_CMAKE_OPTIONS=()
tq_build() {
    local dir=$1; shift
    cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${TQ_CMAKE_OPTIONS[@]}" >/dev/null
    if [ $# -gt 0 ]; then
        cmake --build "$dir" -j"$(nproc)" --target "$@"
    else
        cmake --build "$dir" -j"$(nproc)"
    fi
}

# tq_build_web DIR SITE [CMAKE_OPTION...]: configures DIR for the browser with Debian's emscripten
# and builds the page into SITE, with the asset pack of BUILD_DIR (whose "assets" target must be
# built).
tq_build_web() {
    local dir=$1 site=$2
    shift 2
    # Debian's emcc finds its JavaScript modules (acorn ...) only there.
    export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
    emcmake cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DTQ_DATA_DIR="$BUILD_DIR/data" \
        -DTQ_WEB_SITE_DIR="$site" "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}

BUILD_DIR="${TQ_BUILD_DIR:-$ROOT/build}"
