#!/usr/bin/env bash
# A short tour of the command line: make a radio image, export its channels as
# CSV, edit the CSV, import it back, and show the result. Works in a temporary
# folder that is removed at the end.
set -euo pipefail
build=${1:-build}
cli="$(cd "$build/bin" && pwd)/torvan-cli"
if [[ ! -x "$cli" ]]; then
  echo "torvan-cli is not built yet: run 'make' first (looked for $cli)" >&2
  exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/torvan-demo.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

step() { printf '\n== %s\n$ %s\n' "$1" "$2"; }

step "A new radio image: 8192 bytes, every channel empty, band 400-420 MHz" \
     "torvan-cli new radio.dat"
"$cli" new radio.dat
ls -l radio.dat

step "The channel table as CSV (first lines)" "torvan-cli export radio.dat -o channels.csv"
"$cli" export radio.dat -o channels.csv
head -4 channels.csv

step "Edit the CSV as a spreadsheet would: three channels" "(rewrite lines Pr, 1 and 2)"
sed -i \
  -e 's/^Pr,.*/Pr,410.12500,410.12500,None,None,High,Unlock,Yes,Wide,CALL/' \
  -e 's/^1,.*/1,415.00000,420.00000,88.5,88.5,Low,Lock,Yes,Narrow,RPT-1/' \
  -e 's/^2,.*/2,412.50625,,D023N,D023N,High,Unlock,No,Wide,SIMPLX/' \
  channels.csv
head -4 channels.csv

step "Import it: every row is checked as if typed into the grid" \
     "torvan-cli import radio.dat channels.csv -o edited.dat"
"$cli" import radio.dat channels.csv -o edited.dat

step "What the radio would hold now" "torvan-cli show edited.dat"
"$cli" show edited.dat

step "A bad row is refused with its line number, and nothing is written" \
     "torvan-cli import radio.dat bad.csv -o bad.dat"
printf '%s\n%s\n' "$(head -1 channels.csv)" "5,410.001,,,,,,,," > bad.csv
if "$cli" import radio.dat bad.csv -o bad.dat 2>&1; then
  echo "unexpected: the bad row was accepted" >&2
  exit 1
fi
[[ -e bad.dat ]] && { echo "unexpected: bad.dat was written" >&2; exit 1; }
echo "(exit status 1, no bad.dat)"

printf '\nDone. "torvan-cli --help" lists every command.\n'
