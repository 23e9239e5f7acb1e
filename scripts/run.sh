#!/usr/bin/env bash
# Sets up, builds and starts QuorTab.exe under Wine. With a display, QuorTab runs on it beside
# Wine's Notepad and Minesweeper to group; without one, a scripted demo saves screenshots.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
export BUILD_DIR=$build

"$root/scripts/setup.sh"
"$root/scripts/build.sh"

if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/demo.sh"
fi

source "$root/scripts/wine-env.sh"
trap quortab_cleanup EXIT
quortab_start_wine
"$WINE" notepad.exe >/dev/null 2>&1 &
"$WINE" winemine.exe >/dev/null 2>&1 &
set +e
"$WINE" "$build/x86_64/bin/QuorTab.exe"
code=$?
echo "run: QuorTab.exe ended with exit code $code"
