#!/usr/bin/env bash
# Installs what building and testing QuorTab needs on Debian 12, as root: the toolchain on the host,
# Wine 10 in a root of its own (wine-root.sh). Quick when all is there.
set -euo pipefail
source "$(dirname "$0")/preamble.sh"

packages=(cmake make python3 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 googletest zip debootstrap)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
echo "setup: all build packages present"
# Debian 12's own Wine is never run: every Windows program runs under the root's Wine 10.
"$root/scripts/wine-root.sh"
