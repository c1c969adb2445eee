#!/usr/bin/env bash
# Builds what is needed and runs every test, under AddressSanitizer and
# UndefinedBehaviorSanitizer, with warnings as errors.
#   scripts/run-tests.sh [ctest arguments...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${OSTRELLIX_TEST_BUILD:-$root/build-asan}"
jobs="$(nproc)"

"$root/scripts/install-deps.sh"

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
  -DOSTRELLIX_SANITIZE=ON -DOSTRELLIX_WERROR=ON -DOSTRELLIX_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$build" -j "$jobs" --output-on-failure --timeout 300 "$@"
