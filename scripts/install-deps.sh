#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Torvan need.
# Does nothing when all of them are there already.
# Usage:
#   scripts/install-deps.sh        everything for make run, make test, make bench, make package
#   scripts/install-deps.sh fuzz   what make fuzz needs: clang 14 and its libFuzzer
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
    ;;
  fuzz)
    # The fuzz build has no Qt and no GoogleTest: the core and the fuzz targets.
    PACKAGES=(build-essential cmake ninja-build clang-14 libclang-rt-14-dev)
    ;;
  *)
    echo "usage: scripts/install-deps.sh [fuzz]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

if ! command -v apt-get >/dev/null 2>&1; then
  echo "install-deps: these packages are missing and this system has no apt-get: ${missing[*]}" >&2
  echo "install-deps: install the equivalents by hand (see README.md, 'Building by hand')." >&2
  exit 1
fi

SUDO=()
if [[ $(id -u) -ne 0 ]]; then
  SUDO=(sudo)
fi

echo "install-deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -q
"${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
