#!/usr/bin/env bash
# Runs every fuzz target of a TORVAN_FUZZ build for a while, one after another
# (libFuzzer with one job: the machine is shared), and fails when any target
# found something. Usage: scripts/fuzz.sh BUILD_DIR [SECONDS_PER_TARGET]
#
# Inputs the fuzzer finds interesting go to BUILD_DIR/fuzz-corpus/NAME (the
# seed corpus in tests/fuzz/corpus stays as it is); an input that breaks a
# check is saved as BUILD_DIR/fuzz-findings/NAME-crash-... and is the test
# case for the fix (copy it into tests/fuzz/corpus/NAME once fixed).
set -uo pipefail
cd "$(dirname "$0")/.."

BUILD=${1:?usage: scripts/fuzz.sh BUILD_DIR [SECONDS_PER_TARGET]}
SECONDS_PER_TARGET=${2:-60}
# name:longest input in bytes
TARGETS=(ini-store:8192 csv-import:16384 dat-file:20000 clone-session:8192)
# An input that runs longer than this is a hang, which counts as a finding.
HANG_SECONDS=10

mkdir -p "$BUILD/fuzz-findings"
failed=()
summary=()
for entry in "${TARGETS[@]}"; do
  name=${entry%%:*}
  maxLen=${entry##*:}
  program="$BUILD/bin/torvan-fuzz-$name"
  if [[ ! -x "$program" ]]; then
    echo "fuzz: $program is missing (configure with -DTORVAN_FUZZ=ON)" >&2
    exit 2
  fi
  corpus="$BUILD/fuzz-corpus/$name"
  mkdir -p "$corpus"
  log="$BUILD/fuzz-findings/$name.log"
  # One fuzzing process per target, one after another (the machine is shared:
  # no -jobs/-workers beyond one).
  args=(-max_total_time="$SECONDS_PER_TARGET" -max_len="$maxLen" -timeout="$HANG_SECONDS" -print_final_stats=1
        -artifact_prefix="$BUILD/fuzz-findings/$name-")
  [[ -f "tests/fuzz/dict/$name.dict" ]] && args+=(-dict="tests/fuzz/dict/$name.dict")
  echo "fuzz: $name for ${SECONDS_PER_TARGET} s ..." >&2
  start=$(date +%s)
  "$program" "${args[@]}" "$corpus" "tests/fuzz/corpus/$name" > "$log" 2>&1
  status=$?
  elapsed=$(( $(date +%s) - start ))
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | tail -1 | grep -o '[0-9]*$')
  if [[ $status -ne 0 || -z "$runs" ]]; then
    failed+=("$name")
    result="FINDING (see $log)"
  else
    result="no finding"
  fi
  summary+=("$(printf '%-14s %12s executions %5s s   %s' "$name" "${runs:-?}" "$elapsed" "$result")")
done

echo "fuzz: results" >&2
printf '  %s\n' "${summary[@]}" >&2
if [[ ${#failed[@]} -gt 0 ]]; then
  echo "fuzz: findings in: ${failed[*]}" >&2
  exit 1
fi
