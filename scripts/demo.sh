#!/usr/bin/env bash
# A short scripted demo on a virtual display: QuorTab groups Wine's Notepad (on a file with a
# Greek name, so its tab shows Greek) and Minesweeper, and a screenshot of each step lands in
# $BUILD_DIR/demo/ (their paths are printed).
set -euo pipefail
source "$(dirname "$0")/preamble.sh"
quortab_isolate "$0" "$@"
driver=$build/x86_64/bin/DemoDriver.exe

# run.sh has built everything already; on its own this script builds what it needs.
[ -f "$driver" ] || { "$root/scripts/setup.sh"; "$root/scripts/build.sh"; }

out=$build/demo
rm -rf "$out"
mkdir -p "$out"

driver_pid=
demo_cleanup() {
  if [ -n "$driver_pid" ]; then kill "$driver_pid" 2>/dev/null || true; fi
  quortab_cleanup
}
trap demo_cleanup EXIT
quortab_mount_root
quortab_start_display
quortab_start_wine
size=${QUORTAB_DESKTOP_SIZE}+0+0

# The driver says "shot NAME" when a step is on screen and waits for our answer.
coproc DRIVER { "$WINE" "$driver" 2>/dev/null; }
driver_pid=$DRIVER_PID
exec {to_driver}>&"${DRIVER[1]}"
shots=()
result=incomplete
while IFS= read -r -t 60 line <&"${DRIVER[0]}"; do
  line=${line%$'\r'}
  case $line in
    "shot "*)
      png="$out/${line#shot }.png"
      "$WINE" --unix import -window root -crop "$size" +repage "$png"
      shots+=("$png")
      echo ok >&"$to_driver" ;;
    done) result=done; break ;;
    failed:*) result=$line; break ;;
    *) echo "demo: $line" ;;
  esac
done
exec {to_driver}>&-
wait "$driver_pid" 2>/dev/null || true
driver_pid=

for png in "${shots[@]}"; do echo "demo: $png"; done
if [ "$result" != done ]; then
  echo "demo: the demo did not finish ($result)" >&2
  exit 1
fi
echo "demo: ${#shots[@]} screenshots in $out"
