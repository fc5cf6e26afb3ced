#!/usr/bin/env bash
# torvan-cli.exe reads and writes the virtual radio through a COM port under
# Wine: the Win32 serial code of the Windows build against torvan-radio-sim
# (built for this machine) on a pseudo-terminal that Wine's COM5 leads to.
#
# usage: cli-serial-over-wine.sh RADIO_SIM WINE_RUN CLI_EXE DEFAULT_WINEPREFIX
# Exit status: 0 passed, 1 failed (what failed is on stderr), 77 cannot run here.
set -euo pipefail

readonly kSkip=77
readonly kImageSize=8192
# A write stores 0x0000-0x1FF2; the radio keeps its last thirteen bytes.
readonly kWrittenBytes=8179

sim=$1 winerun=$2 cli=$3
prefix=${WINEPREFIX:-$4}
export WINEPREFIX=$prefix

if [[ ! -x "$sim" ]]; then
  echo "skipped: no torvan-radio-sim for this machine (configure with -DTORVAN_HOST_RADIO_SIM=PATH)"
  exit $kSkip
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/torvan-wine-serial.XXXXXX")
com="$prefix/dosdevices/com5"
simpid=""
finish() {
  local status=$?
  [[ -n "$simpid" ]] && kill "$simpid" 2>/dev/null && wait "$simpid" 2>/dev/null
  rm -f "$com"
  if [[ $status -eq 0 || $status -eq $kSkip ]]; then rm -rf "$work"; else echo "files kept in $work" >&2; fi
}
trap finish EXIT
cd "$work"

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# An image of the radio's memory whose every byte depends on its address and
# SALT, with a valid band (400 - 470 MHz) so that it may be written.
pattern() {
  perl -e 'my ($salt) = @ARGV;
           my @b = map { ($_ * 13 + ($_ >> 7) + $salt) & 0xFF } 0 .. 8191;
           @b[0x1FF0 .. 0x1FF2] = (0x40, 0x47, 0x00);
           print pack("C*", @b);' "$1" >"$2"
}

# Runs torvan-cli.exe under Wine; its exit status is kept in $rc.
cli() {
  rc=0
  "$winerun" "$cli" "$@" >cli.out 2>cli.err || rc=$?
}

# Starts the virtual radio and leads COM5 to its terminal.
start_radio() {
  "$sim" "$@" >sim.out 2>sim.err &
  simpid=$!
  for _ in $(seq 100); do
    [[ -s sim.out ]] && break
    sleep 0.1
  done
  local pty
  pty=$(head -n 1 sim.out)
  [[ "$pty" == /dev/* ]] || fail "torvan-radio-sim printed no terminal: $(cat sim.err)"
  mkdir -p "$prefix/dosdevices"
  ln -sfn "$pty" "$com"
}

stop_radio() {
  kill -TERM "$simpid"
  wait "$simpid" || true
  simpid=""
}

pattern 3 radio.dat
pattern 77 new.dat

# The Wine prefix is made on the first start (about 10 s); then dosdevices/ exists.
cli --version
[[ $rc -eq 0 ]] || fail "torvan-cli.exe --version under Wine: exit $rc: $(cat cli.err)"

# The virtual radio answers at once (unpaced): at 9600 baud a busy machine
# can hold it longer between two bytes than the 30 ms the program waits.
# Unpaced, its ACK to the host's ACK after the identification can come back
# before the host clears its receive buffer right after sending (under Wine a
# few server calls later), and is lost: "no ACK after the identification". A
# radio on a 9600-baud line answers a millisecond later at the soonest; here
# the handshake is tried again, as a user answers Retry (--retries).
readonly kRetries=20
start_radio --image radio.dat --save saved.dat

# read: the radio's whole memory, byte for byte.
cli read --port COM5 -o read.dat --retries $kRetries
[[ $rc -eq 0 ]] || fail "read --port COM5: exit $rc: $(cat cli.err)"
cmp read.dat radio.dat || fail "read --port COM5: the image read differs from the radio's memory"
[[ ! -s cli.err ]] || fail "read --port COM5 said: $(cat cli.err)"

# write --verify: stored, read back and compared by the program itself.
cli write --port COM5 new.dat --verify --retries $kRetries
[[ $rc -eq 0 ]] || fail "write --port COM5 new.dat --verify: exit $rc: $(cat cli.err)"
stop_radio
[[ $(stat -c %s saved.dat) -eq $kImageSize ]] || fail "the radio saved no complete image after the write"
cmp -n $kWrittenBytes saved.dat new.dat || fail "write: the radio's memory differs from new.dat"
cmp -i $kWrittenBytes saved.dat radio.dat || fail "write: the radio's last thirteen bytes were changed"

# A COM port that leads nowhere is named in the one-line error.
rm -f "$com"
cli read --port COM5 -o none.dat
[[ $rc -eq 1 ]] || fail "read from a COM port that is not there: exit $rc, expected 1"
grep -q '^torvan-cli: .*COM5' cli.err || fail "read from a COM port that is not there said: $(cat cli.err)"
[[ ! -e none.dat ]] || fail "read from a COM port that is not there wrote none.dat"

echo "torvan-cli.exe read and wrote the virtual radio through COM5 under Wine"
