#!/usr/bin/env bash
# Makes sure that building, testing and running Torvan can start.
#
# On Debian and its derivatives (dpkg-query and apt-get present) it installs
# the packages that are missing, and does nothing when all of them are there.
# On any other system it installs nothing: it checks for the tools the build
# starts with (CMake, Ninja, a C++ compiler) and leaves the libraries to
# CMake, whose find_package names any that is missing (README.md, "Building
# by hand", lists them).
#
# Usage:
#   scripts/install-deps.sh        everything for make run, make test, make bench, make package
#   scripts/install-deps.sh fuzz   what make fuzz needs: clang 14 and its libFuzzer
#   scripts/install-deps.sh windows  what make windows-check needs: MinGW-w64, Wine, GoogleTest's sources
set -euo pipefail

case "${1:-}" in
  "")
    PACKAGES=(
      build-essential cmake ninja-build pkg-config
      qt6-base-dev qt6-serialport-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
      libgtest-dev libgmock-dev libbenchmark-dev
      xvfb xauth poppler-utils fonts-wqy-microhei fonts-liberation
      desktop-file-utils appstream groff-base
    )
    # Each entry: a tool, or a choice of tools separated by "|".
    TOOLS=(cmake ninja "c++|g++|clang++")
    ;;
  fuzz)
    # The fuzz build has no Qt and no GoogleTest: the core and the fuzz targets.
    PACKAGES=(build-essential cmake ninja-build clang-14 libclang-rt-14-dev)
    TOOLS=(cmake ninja "${FUZZ_CXX:-clang++-14}")
    ;;
  windows)
    # The cross build compiles GoogleTest from its sources (package googletest);
    # the host build is the virtual radio only (no Qt). (The serial check makes
    # its images with perl, which Debian always has.)
    PACKAGES=(build-essential cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine64)
    TOOLS=(cmake ninja x86_64-w64-mingw32-g++-posix "wine64|/usr/lib/wine/wine64")
    ;;
  *)
    echo "usage: scripts/install-deps.sh [fuzz|windows]" >&2
    exit 2
    ;;
esac

if ! command -v dpkg-query >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then
  missing=()
  for choice in "${TOOLS[@]}"; do
    found=""
    IFS='|' read -r -a names <<<"$choice"
    for name in "${names[@]}"; do
      if command -v "$name" >/dev/null 2>&1; then
        found=$name
        break
      fi
    done
    [[ -n "$found" ]] || missing+=("${choice//|/ or }")
  done
  if [[ ${#missing[@]} -gt 0 ]]; then
    echo "install-deps: not a Debian system (no dpkg-query/apt-get), so nothing is installed; missing: ${missing[*]}" >&2
    echo "install-deps: install them by hand (README.md, 'Building by hand'); CMake then names any missing library." >&2
    exit 1
  fi
  exit 0
fi

missing=()
for p in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

SUDO=()
if [[ $(id -u) -ne 0 ]]; then
  SUDO=(sudo)
fi

echo "install-deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -q
"${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
