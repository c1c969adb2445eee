#!/usr/bin/env bash
# Builds what is needed and runs every test, under AddressSanitizer and
# UndefinedBehaviorSanitizer, with warnings as errors; then the fuzzers for
# a bounded time.
#   scripts/run-tests.sh [ctest arguments...]   (with arguments: no fuzzing)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${OSTRELLIX_TEST_BUILD:-$root/build-asan}"
jobs="$(nproc)"

"$root/scripts/install-deps.sh"

# clang compiles the instrumented build about a third faster than GCC; the
# main job's build (scripts/run-main.sh) keeps GCC, so both compilers see
# the code.
CC="${CC:-clang}" CXX="${CXX:-clang++}" cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
  -DOSTRELLIX_SANITIZE=ON -DOSTRELLIX_WERROR=ON -DOSTRELLIX_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs"
# Independent readers for the message-file interoperability tests (npm);
# without them those tests skip and say so.
"$root/tests/standins/message/interop/install-npm-readers.sh" "$build" ||
  echo "warning: npm readers not installed; their interoperability tests will skip" >&2

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$build" -j "$jobs" --output-on-failure --timeout 300 "$@"

# The parsers of outside files under libFuzzer, each for a bounded time
# (OSTRELLIX_FUZZ_SECONDS, 0 to skip; nine fuzzers, about two minutes).
seconds="${OSTRELLIX_FUZZ_SECONDS:-13}"
if [ "$seconds" -gt 0 ] && [ $# -eq 0 ]; then
  "$root/fuzz/run-fuzzers.sh" "$root/build-fuzz" "$seconds"
fi
