#!/usr/bin/env bash
# Renders the program icon (resources/desktop/icons/io.github.torvan.Torvan.svg)
# into the PNG sizes of the hicolor icon theme beside it. Run by hand after
# changing the drawing; needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../resources/desktop/icons"
svg=io.github.torvan.Torvan.svg
command -v rsvg-convert >/dev/null || { echo "render-icons: rsvg-convert is missing (apt-get install librsvg2-bin)" >&2; exit 1; }
for size in 16 32 48 64 128 256; do
  mkdir -p "hicolor/${size}x${size}"
  rsvg-convert -w "$size" -h "$size" "$svg" -o "hicolor/${size}x${size}/io.github.torvan.Torvan.png"
done
echo "render-icons: $(ls hicolor/*/io.github.torvan.Torvan.png | tr '\n' ' ')"
