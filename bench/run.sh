#!/usr/bin/env bash
# Measures what QuorTab costs while it runs and prints one table: sets up, builds the normal
# trees and a benchmark build beside them, and runs the driver under Wine on a private display
# and prefix. Extra arguments go to the driver (--quick for a short smoke run).
set -euo pipefail
source "$(dirname "$0")/../scripts/preamble.sh"
quortab_isolate "$0" "$@"
bench=$build/bench

"$root/scripts/setup.sh"
"$root/scripts/build.sh"
# The benchmark build: QuorTab with the probe hooked on (QuorTabProbed.exe), the driver and the
# baseline program.
for arch in x86_64 i686; do
  cmake -S "$root" -B "$bench/$arch" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DQUORTAB_BENCH=ON >/dev/null
done
cmake --build "$bench/x86_64" -j "$(nproc)" --target QuorTabBench -- --no-print-directory >/dev/null
cmake --build "$bench/i686" -j "$(nproc)" --target BenchIdle -- --no-print-directory >/dev/null
# Released copies lose their symbols; sizes are shown both ways.
sizes=()
for arch in i686 x86_64; do
  mkdir -p "$bench/stripped/$arch"
  "$arch-w64-mingw32-strip" -o "$bench/stripped/$arch/QuorTab.exe" "$build/$arch/bin/QuorTab.exe"
  "$arch-w64-mingw32-strip" -o "$bench/stripped/$arch/BenchIdle.exe" "$bench/$arch/bin/BenchIdle.exe"
  sizes+=(--size "$arch, stripped as released" "$bench/stripped/$arch/QuorTab.exe" "$bench/stripped/$arch/BenchIdle.exe"
          --size "$arch, as built" "$build/$arch/bin/QuorTab.exe" "$bench/$arch/bin/BenchIdle.exe")
done
echo "bench: built $bench"

trap quortab_cleanup EXIT
quortab_mount_root
quortab_start_display
quortab_start_wine

# The wineserver of our own prefix: cross-process calls do their work there.
wineserver_pid=
for p in /proc/[0-9]*; do
  case $(cat "$p/comm" 2>/dev/null) in wineserver*) ;; *) continue ;; esac
  if tr '\0' '\n' <"$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
    wineserver_pid=${p#/proc/}
    break
  fi
done
[ -n "$wineserver_pid" ] || echo "bench: wineserver of $WINEPREFIX not found; its CPU is not counted" >&2

commit=$(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo unknown)
if [ -n "$(git -C "$root" status --porcelain 2>/dev/null)" ]; then
  commit="$commit with uncommitted changes"
fi
cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
set +e
{
  echo "QuorTab benchmark, $(date -u '+%Y-%m-%d %H:%M UTC')"
  echo
  echo "- Machine: $(hostname), $cpu, $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) at the start."
  echo "- Commit: $commit. $("$WINE" --version), 64-bit build, Wine virtual desktop $QUORTAB_DESKTOP_SIZE on Xvfb."
  echo
  "$WINE" "$bench/x86_64/bin/QuorTabBench.exe" \
      --wineserver-pid "${wineserver_pid:-0}" --xserver-pid "$quortab_xvfb_pid" \
      "${sizes[@]}" "$@" </dev/null
} | tee "$bench/results.md"
code=${PIPESTATUS[0]}
echo "bench: table saved in $bench/results.md"
exit "$code"
