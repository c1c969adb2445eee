#!/usr/bin/env bash
# Builds what is needed and runs every test, under AddressSanitizer and
# UndefinedBehaviorSanitizer, with warnings as errors; then the fuzzers for
# a bounded time, from the same build.
#   scripts/run-tests.sh [ctest arguments...]   (with arguments: no fuzzing)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${OSTRELLIX_TEST_BUILD:-$root/build-asan}"
jobs="$(nproc)"

"$root/scripts/install-deps.sh"

# Independent readers for the message-file interoperability tests (npm);
# without them those tests skip and say so. Their download waits on the
# network, not the processors, so it goes on while the build runs.
mkdir -p "$build"
"$root/tests/standins/message/interop/install-npm-readers.sh" "$build" >"$build/npm-readers.log" 2>&1 &
npm_readers=$!

# clang compiles the instrumented build about a third faster than GCC; the
# main job's build (scripts/run-main.sh) keeps GCC, so both compilers see
# the code. The fuzzers are part of this build: the readers' libraries carry
# libFuzzer's coverage hooks, which the test programs leave unused. The
# benchmark programs are built too, though not run here, so that a change
# which breaks one shows at once.
CC="${CC:-clang}" CXX="${CXX:-clang++}" cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
  -DOSTRELLIX_SANITIZE=ON -DOSTRELLIX_WERROR=ON -DOSTRELLIX_BENCH=ON -DOSTRELLIX_FUZZ=ON >/dev/null
cmake --build "$build" -j "$jobs"
if ! wait "$npm_readers"; then
  cat "$build/npm-readers.log" >&2
  echo "warning: npm readers not installed; their interoperability tests will skip" >&2
fi

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$build" -j "$jobs" --output-on-failure --timeout 300 "$@"

# The parsers of outside files under libFuzzer, each for a bounded time
# (OSTRELLIX_FUZZ_SECONDS, 0 to skip; nine fuzzers, two at a time on two
# processors: about a minute).
seconds="${OSTRELLIX_FUZZ_SECONDS:-13}"
if [ "$seconds" -gt 0 ] && [ $# -eq 0 ]; then
  "$root/fuzz/run-fuzzers.sh" "$build" "$seconds"
fi
