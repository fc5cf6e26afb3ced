#!/usr/bin/env bash
# Runs every benchmark that the build produced.
set -euo pipefail
build=${1:-build}
status=0
for b in "$build"/bench/torvan-bench-*; do
  [[ -f "$b" && -x "$b" ]] || continue
  echo "== $(basename "$b")"
  "$b" || status=1
done
exit $status
