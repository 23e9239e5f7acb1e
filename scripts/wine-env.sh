# Sourced through preamble.sh. For the scripts that run Windows programs: a private Xvfb display
# and a private Wine prefix inside the build tree, with a virtual desktop so that Wine owns
# z-order and focus.
# Every process started here is ended by quortab_cleanup, by pid or through our own prefix.

export WINELOADER=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64
export WINEDEBUG=-all
# No Mono or Gecko prompts, and no desktop menu entries made for the programs we start.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEPREFIX="$build/wineprefix"
WINE=$WINELOADER
QUORTAB_DESKTOP_SIZE=${QUORTAB_DESKTOP_SIZE:-1200x900}
quortab_xvfb_pid=

quortab_start_display() {
  local fifo; fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
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
  quortab_wine_step "waiting for wineboot's server" "$WINESERVER" -w &&
  quortab_wine_step "the virtual desktop setting" \
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f &&
  quortab_wine_step "the virtual desktop size" \
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$QUORTAB_DESKTOP_SIZE" /f &&
  quortab_wine_step "waiting for the settings' server" "$WINESERVER" -w
}

quortab_start_wine() {
  mkdir -p "$WINEPREFIX"
  quortab_wine_log="$build/wine-setup.log"
  : >"$quortab_wine_log"
  local attempt
  for attempt in 1 2; do
    [ -f "$WINEPREFIX/.quortab-ready" ] && break
    echo "wine-env: creating the Wine prefix $WINEPREFIX"
    if quortab_make_prefix; then
      touch "$WINEPREFIX/.quortab-ready"
      break
    fi
    # Start again from nothing: a half-made prefix would fail the same way.
    df -h "$build" >&2 || true
    "$WINESERVER" -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"; mkdir -p "$WINEPREFIX"
  done
  [ -f "$WINEPREFIX/.quortab-ready" ] || { echo "wine-env: no Wine prefix; see $quortab_wine_log" >&2; return 1; }
  # A persistent server keeps Wine's own services, which the first program starts, for the whole
  # run: services started by a test process would inherit its output pipe and keep ctest waiting.
  quortab_wine_step "the persistent server" "$WINESERVER" -p || return 1
  quortab_wine_step "the first program" "$WINE" cmd.exe /c exit || return 1
  echo "wine-env: Wine prefix ready"
}

quortab_cleanup() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  if [ -n "$quortab_xvfb_pid" ]; then
    kill "$quortab_xvfb_pid" 2>/dev/null || true
    wait "$quortab_xvfb_pid" 2>/dev/null || true
    quortab_xvfb_pid=
  fi
}
