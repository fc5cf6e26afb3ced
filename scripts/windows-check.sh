#!/usr/bin/env bash
# Runs the tests of a Windows cross build under Wine, in a Wine prefix of its
# own that is removed afterwards (the user's ~/.wine is never touched), then
# names the tests that were skipped and why.
#
# usage: scripts/windows-check.sh BUILD_DIR [JOBS]
set -euo pipefail

build=$1
jobs=${2:-2}

prefix=$(mktemp -d "${TMPDIR:-/tmp}/torvan-wine.XXXXXX")
wineserver=""
for candidate in wineserver /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver; do
  if command -v "$candidate" >/dev/null 2>&1; then
    wineserver=$(command -v "$candidate")
    break
  fi
done
finish() {
  # Wine's server stays a few seconds after the last program; it goes first.
  [[ -n "$wineserver" ]] && WINEPREFIX=$prefix "$wineserver" -k >/dev/null 2>&1 || true
  rm -rf "$prefix"
}
trap finish EXIT

export WINEPREFIX=$prefix WINEDEBUG=-all
# The first start makes the prefix (about 10 s); the tests then start at once.
"$build/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true

status=0
# Now and then Wine fails to start a test program at all (it fails in no
# time, without a line of output): a failed test runs once more. A test
# that fails for a reason fails both times.
ctest --test-dir "$build" --output-on-failure -j "$jobs" --repeat until-pass:2 || status=$?

# GoogleTest writes the reason of a skip on the line before "[  SKIPPED ]".
log="$build/Testing/Temporary/LastTest.log"
if [[ -f "$log" ]] && grep -q '^\[  SKIPPED \]' "$log"; then
  echo "Skipped on Windows, and why:"
  awk '/^\[ RUN      \]/ { reason = "" }
       /: Skipped$/ { getline reason }
       /^\[  SKIPPED \] [^ ]+ \(/ { printf "  %s: %s\n", $4, reason }' "$log" | sort -u
fi
exit $status
