#!/usr/bin/env bash
# Builds the native fuzz targets of the text parsers with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, runs each for a bounded time and fails on any finding.
# Installs nothing: it needs cmake, make, clang and libclang-rt-14-dev.
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD=${TWINSEEK_FUZZ_BUILD:-$HERE/../build-fuzz}
SECONDS_PER_TARGET=${FUZZ_SECONDS:-20}
# The guard ends a target that overruns its time by far, a hang of the fuzzer itself.
GUARD=$((SECONDS_PER_TARGET + 60))
TARGETS=(decode ini numbers list)

mkdir -p "$BUILD"
cmake -S "$HERE" -B "$BUILD" -DCMAKE_CXX_COMPILER="${CXX:-clang++}" >"$BUILD/configure.log" 2>&1 ||
  { cat "$BUILD/configure.log"; exit 1; }
cmake --build "$BUILD" -j2 >"$BUILD/build.log" 2>&1 || { tail -40 "$BUILD/build.log"; exit 1; }

failed=()
for target in "${TARGETS[@]}"; do
  corpus="$BUILD/corpus/$target"
  artifacts="$BUILD/findings/$target/"
  log="$BUILD/fuzz_$target.log"
  mkdir -p "$corpus" "$artifacts"
  echo "fuzz_$target: ${SECONDS_PER_TARGET}s"
  # The first folder collects new inputs; the checked-in seeds are only read.
  if timeout --kill-after=10 "$GUARD" "$BUILD/fuzz_$target" -max_total_time="$SECONDS_PER_TARGET" \
      -timeout=10 -rss_limit_mb=2048 -max_len=8192 -print_final_stats=1 \
      -artifact_prefix="$artifacts" "$corpus" "$HERE/seeds/$target" >"$log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^Done [0-9]+ runs' "$log" | tail -1 || true
  else
    echo "fuzz_$target FAILED (exit $?); log: $log; inputs: $artifacts" >&2
    grep -E -A20 'ERROR: |check failed|runtime error|timeout' "$log" | head -40 >&2 || true
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzz findings in: ${failed[*]}" >&2
  exit 1
fi
echo "Fuzz targets passed: ${TARGETS[*]}"
