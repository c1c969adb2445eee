#!/usr/bin/env bash
# Builds the fuzzers of the readers of outside files with clang
# (AddressSanitizer and UndefinedBehaviorSanitizer on) and runs each for a
# bounded time, starting from the seed corpora kept beside them, as many at
# once as there are processors (OSTRELLIX_FUZZ_JOBS for another number).
# New inputs go to the build directory, never into the tree. Exits non-zero
# when a fuzzer finds a fault.
#   usage: run-fuzzers.sh [build dir] [seconds per fuzzer] [name...]
# With names (the first column below), only those fuzzers run. A build dir
# that is not configured yet is made a fuzzing build of its own; the test
# build (scripts/run-tests.sh) has the fuzzers too and can be named instead.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/.." && pwd)"
build="${1:-$root/build-fuzz}"
seconds="${2:-13}"
jobs="${OSTRELLIX_FUZZ_JOBS:-$(nproc)}"
shift $(($# < 2 ? $# : 2))

# name, binary (under the build directory), seed corpus
fuzzers=(
  "msg fuzz/message/fuzz_msg_reader $here/message/corpus/msg"
  "eml fuzz/message/fuzz_eml_reader $here/message/corpus/eml"
  "vcard fuzz/message/fuzz_vcard_reader $here/message/corpus/vcf"
  "stored fuzz/outlook/fuzz_stored_message $here/outlook/corpus/stored"
  "filter fuzz/outlook/fuzz_filter $here/outlook/corpus/filter"
  "view fuzz/outlook/fuzz_view_definition $here/outlook/corpus/view"
  "cache fuzz/sync/fuzz_synchronization_cache $here/sync/corpus"
  "settings fuzz/system/fuzz_settings_store $here/system/corpus"
  "itemxml fuzz/kelo/fuzz_item_xml $here/kelo/corpus"
)
selected=()
for entry in "${fuzzers[@]}"; do
  read -r kind _ <<<"$entry"
  if [ $# -eq 0 ] || [[ " $* " == *" $kind "* ]]; then selected+=("$entry"); fi
done
if [ ${#selected[@]} -eq 0 ]; then
  echo "run-fuzzers.sh: no fuzzer named $*" >&2
  exit 2
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DOSTRELLIX_FUZZ=ON -DOSTRELLIX_SANITIZE=ON -DOSTRELLIX_TESTS=OFF -DOSTRELLIX_BENCH=OFF >/dev/null
fi
targets=()
for entry in "${selected[@]}"; do
  read -r _ binary _ <<<"$entry"
  targets+=("$(basename "$binary")")
done
cmake --build "$build" --target "${targets[@]}" -j2

# Runs one fuzzer; its output goes to its log.
fuzz() {
  local kind="$1" binary="$2" seeds="${3:-}"
  local work="$build/fuzz-corpus/$kind" artifacts="$build/fuzz-artifacts/$kind"
  mkdir -p "$work" "$artifacts"
  # Full stacks, so that the suppression can tell libgsf's own leak from ours.
  LSAN_OPTIONS="suppressions=$here/message/lsan.supp:fast_unwind_on_malloc=0" "$build/$binary" "$work" ${seeds:+"$seeds"} \
    -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len=200000 \
    -artifact_prefix="$artifacts/" -print_final_stats=1 2>"$artifacts/log.txt"
}

# Tells how a finished fuzzer did; a fault fails the run.
status=0
report() {
  local kind="$1" binary="$2" result="$3" log="$build/fuzz-artifacts/$1/log.txt"
  echo "== $binary for ${seconds}s"
  if [ "$result" -ne 0 ]; then
    echo "$binary found a fault; see $build/fuzz-artifacts/$kind/" >&2
    tail -40 "$log" >&2
    status=1
  else
    grep -E "^stat::number_of_executed_units|^#[0-9]+ +DONE" "$log" | tail -2 || true
  fi
}

declare -A running=()  # pid -> "kind binary"
wait_for_one() {
  local pid result=0 kind binary
  wait -n -p pid || result=$?
  read -r kind binary <<<"${running[$pid]}"
  report "$kind" "$binary" "$result"
  unset "running[$pid]"
}
for entry in "${selected[@]}"; do
  read -r kind binary seeds <<<"$entry"
  while [ ${#running[@]} -ge "$jobs" ]; do wait_for_one; done
  fuzz "$kind" "$binary" "$seeds" &
  running[$!]="$kind $binary"
done
while [ ${#running[@]} -gt 0 ]; do wait_for_one; done
exit $status
