#!/usr/bin/env bash
# Sets up, builds and starts QuorTab.exe under Wine. With a display, QuorTab runs on it beside
# Wine's Notepad and Minesweeper to group; without one, a scripted demo saves screenshots.
set -euo pipefail
source "$(dirname "$0")/preamble.sh"
quortab_isolate "$0" "$@"

"$root/scripts/setup.sh"
"$root/scripts/build.sh"

if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/demo.sh"
fi

trap quortab_cleanup EXIT
quortab_mount_root
quortab_start_wine
"$WINE" notepad.exe >/dev/null 2>&1 &
"$WINE" winemine.exe >/dev/null 2>&1 &
code=0
"$WINE" "$build/x86_64/bin/QuorTab.exe" || code=$?
echo "run: QuorTab.exe ended with exit code $code"
exit "$code"
