# Sourced through preamble.sh. For the scripts that run Windows programs: Wine 10 from its own
# Debian 13 root (wine-root.sh makes it), a private Xvfb display and a private Wine prefix inside
# the build tree, with a virtual desktop so that Wine owns z-order and focus.
# A script that runs Wine first calls quortab_isolate: from then on it runs in mount and process
# namespaces of its own, so that its end ends every process it started and takes its mounts along.

export QUORTAB_WINE_ROOT=${QUORTAB_WINE_ROOT:-/var/cache/quortab/wine10-trixie}
# Paths inside the root: Wine finds its server through WINESERVER.
export WINELOADER=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64
export WINEDEBUG=-all
# No Mono or Gecko prompts, and no desktop menu entries made for the programs we start.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEPREFIX="$build/wineprefix"
# The one way into Wine: Windows programs, and with --unix the root's own tools.
WINE=$root/scripts/wine-test.sh
QUORTAB_DESKTOP_SIZE=${QUORTAB_DESKTOP_SIZE:-1200x900}
quortab_xvfb_pid=

# Runs the calling script again inside its own namespaces, once; the caller passes "$0" "$@".
quortab_isolate() {
  [ -n "${QUORTAB_ISOLATED:-}" ] && return 0
  unshare --mount --pid --fork --kill-child --mount-proc true 2>/dev/null ||
    { echo "wine-env: this kernel refuses mount and process namespaces, which every run under Wine needs" >&2; exit 1; }
  QUORTAB_ISOLATED=1 exec unshare --mount --pid --fork --kill-child --mount-proc --propagation private \
    bash "$@"
}

# Makes the root's view of this machine: its own /tmp, /proc and /dev, the tree and the build
# folder at their own paths (CTest files and the emulator hold absolute ones), and a display given
# from outside with its authority file. Holds the root against being made again while it runs.
quortab_mount_root() {
  local r=$QUORTAB_WINE_ROOT
  [ -n "${QUORTAB_ISOLATED:-}" ] || { echo "wine-env: quortab_mount_root outside quortab_isolate" >&2; return 1; }
  exec {quortab_root_lock}<"$r.lock"
  flock -s "$quortab_root_lock"
  mount -t tmpfs -o mode=1777 tmpfs "$r/tmp"
  mount -t proc proc "$r/proc"
  mount --rbind /dev "$r/dev"
  local d
  for d in "$root" "$build"; do
    mkdir -p "$r$d"
    mount --bind "$d" "$r$d"
  done
  if [ -n "${DISPLAY:-}" ]; then
    if [ -d /tmp/.X11-unix ]; then mkdir -p "$r/tmp/.X11-unix"; mount --bind /tmp/.X11-unix "$r/tmp/.X11-unix"; fi
    if [ -n "${XAUTHORITY:-}" ] && [ -f "$XAUTHORITY" ]; then
      mkdir -p "$r$(dirname "$XAUTHORITY")"; touch "$r$XAUTHORITY"; mount --bind "$XAUTHORITY" "$r$XAUTHORITY"
    fi
  fi
  echo "wine-env: $("$WINE" --version) from $r"
}

quortab_start_display() {
  local fifo; fifo=$(mktemp -u); mkfifo "$fifo"
  "$WINE" --unix Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  quortab_xvfb_pid=$!
  local n; read -r -t 20 n <"$fifo" || { echo "Xvfb did not start" >&2; rm -f "$fifo"; return 1; }
  rm -f "$fifo"
  export DISPLAY=":$n"
  echo "wine-env: Xvfb on $DISPLAY (pid $quortab_xvfb_pid)"
}

# Runs one step of the Wine set-up with its output kept in $quortab_wine_log; on failure says which
# step failed and shows the end of what it printed.
quortab_wine_step() {
  local what=$1; shift
  echo "== $what" >>"$quortab_wine_log"
  local status=0
  "$@" >>"$quortab_wine_log" 2>&1 </dev/null || status=$?
  [ "$status" -eq 0 ] && return 0
  echo "wine-env: $what failed (exit $status); its last output:" >&2
  tail -n 20 "$quortab_wine_log" >&2
  return 1
}

quortab_make_prefix() {
  quortab_wine_step "wineboot" "$WINE" wineboot -i &&
  quortab_wine_step "waiting for wineboot's server" "$WINE" --unix "$WINESERVER" -w &&
  quortab_wine_step "the virtual desktop setting" \
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f &&
  quortab_wine_step "the virtual desktop size" \
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$QUORTAB_DESKTOP_SIZE" /f &&
  quortab_wine_step "waiting for the settings' server" "$WINE" --unix "$WINESERVER" -w
}

quortab_start_wine() {
  mkdir -p "$WINEPREFIX"
  quortab_wine_log="$build/wine-setup.log"
  : >"$quortab_wine_log"
  # A prefix made by another Wine is made again.
  local version; version=$("$WINE" --version)
  [ "$(cat "$WINEPREFIX/.quortab-ready" 2>/dev/null)" = "$version" ] ||
    { rm -rf "$WINEPREFIX"; mkdir -p "$WINEPREFIX"; }
  local attempt
  for attempt in 1 2; do
    [ -f "$WINEPREFIX/.quortab-ready" ] && break
    echo "wine-env: creating the Wine prefix $WINEPREFIX"
    if quortab_make_prefix; then
      echo "$version" >"$WINEPREFIX/.quortab-ready"
      break
    fi
    # Start again from nothing: a half-made prefix would fail the same way.
    df -h "$build" >&2 || true
    "$WINE" --unix "$WINESERVER" -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"; mkdir -p "$WINEPREFIX"
  done
  [ -f "$WINEPREFIX/.quortab-ready" ] || { echo "wine-env: no Wine prefix; see $quortab_wine_log" >&2; return 1; }
  # A persistent server keeps Wine's own services, which the first program starts, for the whole
  # run: services started by a test process would inherit its output pipe and keep ctest waiting.
  quortab_wine_step "the persistent server" "$WINE" --unix "$WINESERVER" -p || return 1
  quortab_wine_step "the first program" "$WINE" cmd.exe /c exit || return 1
  echo "wine-env: Wine prefix ready"
}

# The namespace ends every process with the script; this ends them in order before that.
quortab_cleanup() {
  "$WINE" --unix "$WINESERVER" -k >/dev/null 2>&1 || true
  if [ -n "$quortab_xvfb_pid" ]; then
    kill "$quortab_xvfb_pid" 2>/dev/null || true
    wait "$quortab_xvfb_pid" 2>/dev/null || true
    quortab_xvfb_pid=
  fi
}
