#!/usr/bin/env bash
# Configures and builds QuorTab for 32- and 64-bit Windows; the 64-bit tree also builds the tests.
# BUILD_DIR (default: build) holds both trees; extra arguments go to the 64-bit configure.
set -euo pipefail
source "$(dirname "$0")/preamble.sh"
jobs=$(nproc)

cmake -S "$root" -B "$build/i686" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/i686" -j "$jobs" -- --no-print-directory >/dev/null
echo "build: $build/i686/bin/QuorTab.exe"

cmake -S "$root" -B "$build/x86_64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DQUORTAB_TESTS=ON "$@" >/dev/null
cmake --build "$build/x86_64" -j "$jobs" -- --no-print-directory >/dev/null
echo "build: $build/x86_64/bin/QuorTab.exe"
