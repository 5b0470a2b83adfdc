#!/usr/bin/env bash
# Builds the libFuzzer targets of the core (clang 14, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz and runs each one for a short
# while from its seeds in fuzz/corpus/<target>/ (the record targets also
# start from the sample puzzles in resources/puzzles/, the importer target
# from the test files in tests/data/formats/, the source target from the
# puzzle sources in puzzles/). Fails on the first crash; the crashing input
# is left in build-fuzz/artifacts/.
#   VLQ_FUZZ_SECONDS  seconds per target (default: about a minute in all)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
TARGETS=(fuzz_record fuzz_settings_text fuzz_rules fuzz_foreign fuzz_check fuzz_source)
SECONDS_PER_TARGET="${VLQ_FUZZ_SECONDS:-$(( 60 / ${#TARGETS[@]} > 5 ? 60 / ${#TARGETS[@]} : 5 ))}"

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVLQ_BUILD_GUI=OFF -DVLQ_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++-14
cmake --build build-fuzz --target "${TARGETS[@]}"

mkdir -p build-fuzz/artifacts
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
for t in "${TARGETS[@]}"; do
  # New inputs go to the scratch corpus; the seeds in the repository stay as they are.
  work="build-fuzz/corpus/$t"
  mkdir -p "$work"
  seeds=()
  if [ -d "fuzz/corpus/$t" ]; then seeds+=("fuzz/corpus/$t"); fi
  case "$t" in
    fuzz_record | fuzz_rules | fuzz_check) seeds+=(resources/puzzles) ;;
    fuzz_foreign) seeds+=(tests/data/formats) ;;
    fuzz_source) seeds+=(puzzles) ;;
  esac
  echo "== $t: ${SECONDS_PER_TARGET} s"
  log="build-fuzz/$t.log"
  if ! "build-fuzz/fuzz/$t" -max_total_time="$SECONDS_PER_TARGET" -max_len=12000 -timeout=10 \
      -artifact_prefix="build-fuzz/artifacts/$t-" -print_final_stats=1 \
      "$work" "${seeds[@]}" >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "fuzz.sh: $t failed; the input is in build-fuzz/artifacts/, the log in $log" >&2
    exit 1
  fi
  grep -E '^stat::number_of_executed_units|^#[0-9]+ +DONE' "$log" || true
done
echo "fuzz.sh: no crash in ${#TARGETS[@]} targets"
