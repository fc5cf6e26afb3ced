#!/usr/bin/env bash
# Starts the desktop program; without a display, shows what the command line can do instead.
set -euo pipefail
build=${1:-build}
bin="$build/bin"

if [[ -x "$bin/torvan" && ( -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ) ]]; then
  exec "$bin/torvan" "${@:2}"
fi

if [[ -x "$bin/torvan" ]]; then
  echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset): running the command-line demo instead." >&2
else
  echo "The desktop program is not built on this system: running the command-line demo instead." >&2
fi
exec scripts/demo.sh "$build"
