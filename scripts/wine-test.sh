#!/usr/bin/env bash
# ctest's way into Wine. A test program that ends before it prints anything leaves ctest's log
# empty: this says how it ended.
start=$(date +%s%N)
/usr/lib/wine/wine64 "$@"
status=$?
if [ "$status" -ne 0 ]; then
  echo "wine-test: exit $status after $(( ($(date +%s%N) - start) / 1000000 )) ms: $*" >&2
fi
exit "$status"
