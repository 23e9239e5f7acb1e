#!/usr/bin/env bash
# The one way into Wine 10: runs a Windows program (with --unix, a program of the Wine root such as
# the wineserver, Xvfb or import) inside the root that wine-env.sh mounted, in the current folder.
# ctest runs every test program through it. A program that fails before it prints anything leaves
# ctest's log empty: this says how it ended.
set -u
r=${QUORTAB_WINE_ROOT:?QUORTAB_WINE_ROOT is not set: run this through the scripts}
here='cd "$0" 2>/dev/null || cd /; exec "$@"'
# Exec'd, so that the caller's pid is the tool's own.
[ "${1:-}" = --unix ] && { shift; exec chroot "$r" /bin/sh -c "$here" "$PWD" "$@"; }
start=$(date +%s%N)
chroot "$r" /bin/sh -c "$here" "$PWD" /usr/lib/wine/wine64 "$@"
status=$?
if [ "$status" -ne 0 ]; then
  echo "wine-test: exit $status after $(( ($(date +%s%N) - start) / 1000000 )) ms: $*" >&2
fi
exit "$status"
