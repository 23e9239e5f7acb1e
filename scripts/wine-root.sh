#!/usr/bin/env bash
# Makes, once, the Debian 13 root that holds Wine 10 and the X tools every Windows program of ours
# runs with; later clones and CI runs reuse it. QUORTAB_WINE_ROOT moves it.
set -euo pipefail
source "$(dirname "$0")/preamble.sh"

# What the root needs; a root made with another list gets what it lacks.
packages=(wine64 fonts-wine xvfb xauth imagemagick)
wanted="trixie minbase: ${packages[*]}"
dir=$QUORTAB_WINE_ROOT
ready=$dir/.quortab-root-ready
log=$dir.log

if ! unshare --mount --pid --fork --kill-child --mount-proc true 2>/dev/null; then
  echo "wine-root: this kernel refuses mount and process namespaces, which every run under Wine needs" >&2
  exit 1
fi

# The host's own mirror of Debian, so that the root comes from where the host's packages come from.
mirror() {
  [ -n "${QUORTAB_DEBIAN_MIRROR:-}" ] && { echo "$QUORTAB_DEBIAN_MIRROR"; return; }
  local m
  m=$(sed -n 's/^URIs: *\([^ ]*\/debian\)\/\?$/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1)
  [ -n "$m" ] || m=$(sed -n 's/^deb \+\(\[[^]]*\] \+\)\?\([^ ]*\/debian\)\/\? .*/\2/p' /etc/apt/sources.list 2>/dev/null | head -n 1)
  [ -n "$m" ] || { echo "wine-root: no Debian mirror in the host's apt sources; set QUORTAB_DEBIAN_MIRROR" >&2; return 1; }
  echo "$m"
}

# Runs a command as root of the new system, in a mount namespace that ends with it.
in_new_root() {
  unshare --mount --propagation private bash -c '
    dir=$1; shift
    mount -t proc proc "$dir/proc" && mount --rbind /dev "$dir/dev" &&
      exec chroot "$dir" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"' \
    bash "$dir" "$@"
}

make_root() {
  if [ ! -f "$dir/.quortab-base-ready" ]; then
    echo "wine-root: making a Debian 13 root in $dir (about a minute; its output goes to $log)"
    rm -rf "$dir"
    unshare --mount --propagation private \
      debootstrap --variant=minbase trixie "$dir" "$(mirror)" >>"$log" 2>&1 ||
      { echo "wine-root: debootstrap failed; the end of $log:" >&2; tail -n 20 "$log" >&2; return 1; }
    touch "$dir/.quortab-base-ready"
  fi
  echo "wine-root: installing ${packages[*]} into $dir"
  cp /etc/resolv.conf "$dir/etc/resolv.conf"
  in_new_root sh -c 'apt-get update -qq && apt-get install -y -qq --no-install-recommends "$@"' \
    sh "${packages[@]}" >>"$log" 2>&1 ||
    { echo "wine-root: installing into the root failed; the end of $log:" >&2; tail -n 20 "$log" >&2; return 1; }
  in_new_root apt-get clean >>"$log" 2>&1 || true
  # Written last: a root that lacks it is made again.
  echo "$wanted" >"$ready"
}

mkdir -p "$(dirname "$dir")"
exec {lock}>"$dir.lock"
if [ "$(cat "$ready" 2>/dev/null)" != "$wanted" ]; then
  # Another clone may be making it right now: wait for that, then look again.
  flock "$lock"
  [ "$(cat "$ready" 2>/dev/null)" = "$wanted" ] || make_root
  flock -u "$lock"
  echo "wine-root: made $dir"
else
  echo "wine-root: reusing $dir, made $(date -u -r "$ready" '+%Y-%m-%d %H:%M UTC')"
fi
