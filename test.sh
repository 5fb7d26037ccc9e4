#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then the whole suite again
# under AddressSanitizer and UndefinedBehaviorSanitizer, and the music thread's tests under
# ThreadSanitizer.
#
#   ./test.sh            everything (what CI runs)
#   ./test.sh --quick    the normal build and suite only
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$ROOT/scripts/setup.sh"
tq_install "${TQ_PLAY_PACKAGES[@]}" "${TQ_TEST_PACKAGES[@]}"
# Every build here turns the compiler's warnings into errors; the player's build only shows them.
TQ_CMAKE_OPTIONS=(-DTQ_BUILD_TESTS=ON -DTQ_WERROR=ON)

QUICK=0
[ "${1:-}" = "--quick" ] && QUICK=1
JOBS="$(nproc)"

echo "== format (.clang-format)"
find "$ROOT/src" "$ROOT/tools" "$ROOT/tests" "$ROOT/bench" "$ROOT/fuzz" \( -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 clang-format --dry-run --Werror

# A test that runs away with memory fails at this cap instead of taking the machine down.
TEST_MEMORY_MB=4096

echo "== build and test ($BUILD_DIR)"
tq_build "$BUILD_DIR"
(ulimit -v $((TEST_MEMORY_MB * 1024)) &&
    ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$JOBS" -E '^Web')
# The browser version's tests (where they are built): Chromium reserves far more address space
# than it uses, so they run without the cap.
ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$JOBS" -R '^Web' --no-tests=ignore
[ "$QUICK" = 1 ] && exit 0

# The sanitizer builds use the asset pack of the normal build.
echo "== AddressSanitizer + UndefinedBehaviorSanitizer ($BUILD_DIR-asan)"
# (AddressSanitizer reserves far more address space than it uses, so its cap is on what is
# resident.)
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:hard_rss_limit_mb=$TEST_MEMORY_MB"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Lighter optimisation and debug info than the normal build: they compile faster and still
# give readable reports.
SANITIZER_FLAGS=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG")
cmake -S "$ROOT" -B "$BUILD_DIR-asan" "${SANITIZER_FLAGS[@]}" -DTQ_WERROR=ON -DTQ_SANITIZE=ON \
      -DTQ_BUILD_GAME=OFF -DTQ_BUILD_ASSETS=OFF -DTQ_BUILD_BENCH=OFF \
      -DTQ_DATA_DIR="$BUILD_DIR/data" >/dev/null
cmake --build "$BUILD_DIR-asan" -j"$JOBS" \
      --target tq_tests tq_game_tests tq_soak_tests tq_thread_tests tqdriver
ctest --test-dir "$BUILD_DIR-asan" --output-on-failure -j"$JOBS"

echo "== ThreadSanitizer: the music stream and its thread ($BUILD_DIR-tsan)"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
cmake -S "$ROOT" -B "$BUILD_DIR-tsan" "${SANITIZER_FLAGS[@]}" -DTQ_WERROR=ON -DTQ_TSAN=ON \
      -DTQ_BUILD_GAME=OFF -DTQ_BUILD_ASSETS=OFF -DTQ_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD_DIR-tsan" -j"$JOBS" --target tq_thread_tests
"$BUILD_DIR-tsan/tests/tq_thread_tests"
