#!/usr/bin/env bash
# Fuzzes the readers of the files a player can put into the game's folders:
#
#   fuzz/run.sh [SECONDS] [FUZZER...]      e.g.  fuzz/run.sh 300        fuzz/run.sh 60 wave ini
#
# Configures a clang build in build-fuzz/ (libFuzzer with AddressSanitizer and UBSan), builds the
# fuzz targets and runs each one for SECONDS (default 60), one after the other, on one core.
# FUZZER is any of bmp, wave, score, ini, round (default all five).
#
# Each run starts from the seed corpus in fuzz/corpus/<fuzzer>/ and keeps what it adds in
# build-fuzz/fuzz-corpus/<fuzzer>/, so a later run goes on from there. A crash, leak, UB report,
# timeout, out-of-memory or failed reader check is written to build-fuzz/fuzz-artifacts/<fuzzer>/
# and makes the script exit with 1. Replay one with
#   build-fuzz/fuzz/fuzz_<fuzzer> FILE
# then fix the reader and keep FILE in tests/regressions/<fuzzer>/ (tq_tests replays them all).
#
# Environment: JOBS (build parallelism, default 2), BUILD_DIR (default build-fuzz); clang and its
# libFuzzer are installed when missing (TQ_NO_INSTALL=1: only named, see scripts/setup.sh).
# The seed corpora are written by the game's own code: cmake --build build-fuzz --target
# fuzz_seeds && build-fuzz/fuzz/fuzz_seeds fuzz/corpus
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
shift || true
fuzzers=("$@")
if [ ${#fuzzers[@]} -eq 0 ]; then fuzzers=(bmp wave score ini round); fi
build="${BUILD_DIR:-$root/build-fuzz}"
jobs="${JOBS:-2}"

if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
    echo "usage: $0 [SECONDS] [bmp|wave|score|ini|round ...]" >&2
    exit 2
fi
for name in "${fuzzers[@]}"; do
    case "$name" in
        bmp | wave | score | ini | round) ;;
        *) echo "unknown fuzzer: $name (bmp, wave, score, ini, round)" >&2; exit 2 ;;
    esac
done

ROOT="$root"
source "$root/scripts/setup.sh"
tq_install "${TQ_FUZZ_PACKAGES[@]}"
if [ ! -f "$build/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTQ_BUILD_FUZZ=ON -DTQ_BUILD_GAME=OFF -DTQ_BUILD_ASSETS=OFF -DTQ_BUILD_TESTS=OFF \
        -DTQ_WERROR=ON
fi
targets=()
for name in "${fuzzers[@]}"; do targets+=("fuzz_$name"); done
cmake --build "$build" --target "${targets[@]}" -j "$jobs"

# The largest single allocation a valid file may cause: a 64-megapixel picture is 256 MB of
# decoded colours, a sound buffer at most 256 MB. Anything above these limits is a finding.
malloc_limit() {
    case "$1" in
        bmp | wave) echo 300 ;;
        *) echo 64 ;;
    esac
}
# A 1 KB run-length file may describe the largest picture accepted (64 megapixels), which takes
# seconds to decode, convert and key under the sanitizers.
timeout_of() {
    case "$1" in
        bmp) echo 30 ;;
        *) echo 10 ;;
    esac
}
max_len() {
    case "$1" in
        bmp) echo 16384 ;;
        wave | round) echo 8192 ;;
        *) echo 4096 ;;
    esac
}

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

status=0
summary=()
for name in "${fuzzers[@]}"; do
    corpus="$build/fuzz-corpus/$name"
    artifacts="$build/fuzz-artifacts/$name"
    log="$build/fuzz-logs/$name.log"
    mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
    args=(-max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb="$(malloc_limit "$name")"
          -timeout="$(timeout_of "$name")" -max_len="$(max_len "$name")" -print_final_stats=1
          -artifact_prefix="$artifacts/")
    if [ -f "$root/fuzz/dict/$name.dict" ]; then args+=(-dict="$root/fuzz/dict/$name.dict"); fi

    echo "== fuzz_$name for ${seconds}s (log: $log)"
    if "$build/fuzz/fuzz_$name" "${args[@]}" "$corpus" "$root/fuzz/corpus/$name" >"$log" 2>&1; then
        result="ok"
    else
        result="FAILED (see $log and $artifacts)"
        status=1
    fi
    last=$(grep -E '^#[0-9]+' "$log" | tail -n 1 || true)
    runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}' || true)
    summary+=("fuzz_$name: $result; ${runs:-?} runs; last status: ${last:-none}")
done

echo
printf '%s\n' "${summary[@]}"
exit $status
