#!/usr/bin/env bash
# Brings the translation sources of the desktop program up to date with the
# texts in its code (keeps every translation already made). Then translate the
# new entries of resources/lang/torvan_zh_CN.ts with Qt Linguist (or by hand).
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
dirs=()
for d in base shell grid channels radio link product; do
  [[ -d src/app/$d ]] && dirs+=("src/app/$d")
done
"$lupdate" -no-obsolete -locations none -I src "${dirs[@]}" src/qtprint \
  -ts resources/lang/torvan_en.ts resources/lang/torvan_zh_CN.ts
