#!/usr/bin/env bash
# Builds the fuzzers of the readers of outside files with clang
# (AddressSanitizer and UndefinedBehaviorSanitizer on) and runs each for a
# bounded time, starting from the seed corpora kept beside them. New inputs
# go to the build directory, never into the tree. Exits non-zero when a
# fuzzer finds a fault.
#   usage: run-fuzzers.sh [build dir] [seconds per fuzzer] [name...]
# With names (the first column below), only those fuzzers run.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/.." && pwd)"
build="${1:-$root/build-fuzz}"
seconds="${2:-13}"
shift $(($# < 2 ? $# : 2))

# name, binary (under the build directory), seed corpus (the stored
# messages have none: the store writes them)
fuzzers=(
  "msg fuzz/message/fuzz_msg_reader $here/message/corpus/msg"
  "eml fuzz/message/fuzz_eml_reader $here/message/corpus/eml"
  "vcard fuzz/message/fuzz_vcard_reader $here/message/corpus/vcf"
  "stored fuzz/outlook/fuzz_stored_message"
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

status=0
for entry in "${selected[@]}"; do
  read -r kind binary seeds <<<"$entry"
  work="$build/fuzz-corpus/$kind"
  mkdir -p "$work" "$build/fuzz-artifacts/$kind"
  echo "== $binary for ${seconds}s"
  # Full stacks, so that the suppression can tell libgsf's own leak from ours.
  if ! LSAN_OPTIONS="suppressions=$here/message/lsan.supp:fast_unwind_on_malloc=0" "$build/$binary" "$work" ${seeds:+"$seeds"} \
      -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len=200000 \
      -artifact_prefix="$build/fuzz-artifacts/$kind/" -print_final_stats=1 2>"$build/fuzz-artifacts/$kind/log.txt"; then
    echo "$binary found a fault; see $build/fuzz-artifacts/$kind/" >&2
    tail -40 "$build/fuzz-artifacts/$kind/log.txt" >&2
    status=1
  else
    grep -E "^stat::number_of_executed_units|^#[0-9]+ +DONE" "$build/fuzz-artifacts/$kind/log.txt" | tail -2 || true
  fi
done
exit $status
