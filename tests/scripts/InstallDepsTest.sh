#!/usr/bin/env bash
# scripts/install-deps.sh on systems made of stand-in tools: a system without
# dpkg-query and apt-get (nothing is installed, the build tools are checked),
# and a Debian system (only what dpkg-query reports missing is installed).
# Usage: InstallDepsTest.sh PATH/TO/install-deps.sh
set -uo pipefail

script=$1
bash=$(command -v bash)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# A folder of stand-ins: each named tool succeeds; dpkg-query reports every
# package installed except those in $NOT_INSTALLED; apt-get and sudo write
# their arguments to $work/calls.
system() {
  local dir=$work/$1
  shift
  mkdir -p "$dir"
  for tool in "$@"; do
    case $tool in
      dpkg-query)
        cat >"$dir/dpkg-query" <<'STUB'
#!/bin/sh
for p; do :; done
case " $NOT_INSTALLED " in *" $p "*) exit 1 ;; esac
printf 'install ok installed'
STUB
        ;;
      apt-get | sudo)
        printf '#!/bin/sh\necho "%s $*" >>"$CALLS"\n' "$tool" >"$dir/$tool"
        ;;
      id)
        printf '#!/bin/sh\necho 0\n' >"$dir/id"
        ;;
      *)
        printf '#!/bin/sh\nexit 0\n' >"$dir/$tool"
        ;;
    esac
    chmod +x "$dir/$tool"
  done
  echo "$dir"
}

# run NAME PATHDIR [ARG]: runs the script with only PATHDIR on the path.
run() {
  local name=$1 dir=$2
  shift 2
  rm -f "$work/calls"
  out=$(PATH=$dir CALLS=$work/calls NOT_INSTALLED=${NOT_INSTALLED:-} "$bash" "$script" "$@" 2>&1)
  status=$?
  calls=$(cat "$work/calls" 2>/dev/null || true)
}

# Not Debian, every tool there: nothing to do, nothing installed.
run other-complete "$(system other-complete cmake ninja g++)"
[[ $status -eq 0 ]] || fail "other system with cmake, ninja, g++: exit $status: $out"
[[ -z "$out" ]] || fail "other system with every tool: says \"$out\""

# Not Debian, a tool missing: stops and names it (and only it).
run other-no-ninja "$(system other-no-ninja cmake clang++)"
[[ $status -eq 1 ]] || fail "other system without ninja: exit $status"
[[ "$out" == *"missing: ninja"* && "$out" != *cmake,* ]] || fail "other system without ninja: says \"$out\""
run other-no-compiler "$(system other-no-compiler cmake ninja)"
[[ $status -eq 1 && "$out" == *"c++ or g++ or clang++"* ]] || fail "other system without a compiler: exit $status: $out"

# Not Debian, fuzzing: the compiler the fuzz build uses.
run other-fuzz "$(system other-fuzz cmake ninja g++)" fuzz
[[ $status -eq 1 && "$out" == *"clang++-14"* ]] || fail "fuzz without clang++-14: exit $status: $out"

# apt-get alone (no dpkg-query) is not Debian enough: nothing is installed.
run apt-only "$(system apt-only cmake ninja c++ apt-get)"
[[ $status -eq 0 && -z "$calls" ]] || fail "apt-get without dpkg-query: exit $status, calls \"$calls\""

# Debian with everything installed: apt-get is not run.
run debian-complete "$(system debian-complete dpkg-query apt-get sudo id)"
[[ $status -eq 0 && -z "$calls" ]] || fail "Debian with every package: exit $status, calls \"$calls\""

# Debian with two packages missing: exactly those are installed.
NOT_INSTALLED="ninja-build libgtest-dev" run debian-missing "$(system debian-missing dpkg-query apt-get sudo id)"
[[ $status -eq 0 ]] || fail "Debian with two packages missing: exit $status: $out"
[[ "$calls" == *"apt-get install -y -q --no-install-recommends ninja-build libgtest-dev"* ]] ||
  fail "Debian with two packages missing: apt-get calls \"$calls\""

if [[ $failures -gt 0 ]]; then
  exit 1
fi
echo "install-deps.sh behaves on every system tried"
