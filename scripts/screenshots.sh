#!/usr/bin/env bash
# Pictures of the desktop program for the README: the main window with a few
# channels and the About box, in English and in Chinese, saved as PNG files in
# docs/screenshots/. Runs the program under Xvfb when it is there, offscreen
# otherwise.
set -euo pipefail
build=${1:-build}
out=docs/screenshots
cmake --build "$build" --target torvan-screenshots torvan_beside
tool="$build/src/app/tools/torvan-screenshots"
mkdir -p "$out"
if command -v xvfb-run >/dev/null 2>&1; then
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1400x900x24" "$tool" "$build/bin" "$out"
else
  QT_QPA_PLATFORM=offscreen "$tool" "$build/bin" "$out"
fi
echo "screenshots: $(ls "$out"/*.png | tr '\n' ' ')"
