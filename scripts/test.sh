#!/usr/bin/env bash
# The whole test run: set-up, both builds, every test of the 64-bit build under Wine on a private
# display, ending with ctest's summary. Extra arguments go to ctest (e.g. -R Picker).
set -euo pipefail
source "$(dirname "$0")/preamble.sh"
quortab_isolate "$0" "$@"
start=$(date +%s)

"$root/scripts/setup.sh"
"$root/scripts/build.sh"
echo "test: built both architectures in $(( $(date +%s) - start )) s"

trap quortab_cleanup EXIT
quortab_mount_root
quortab_start_display
quortab_start_wine

cd "$build/x86_64"
ctest --output-on-failure --timeout 120 "$@"
