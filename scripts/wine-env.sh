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
quortab_anchor_pid=

quortab_start_display() {
  local fifo; fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  quortab_xvfb_pid=$!
  local n; read -r -t 20 n <"$fifo" || { echo "Xvfb did not start" >&2; rm -f "$fifo"; return 1; }
  rm -f "$fifo"
  export DISPLAY=":$n"
  echo "wine-env: Xvfb on $DISPLAY (pid $quortab_xvfb_pid)"
}

quortab_start_wine() {
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/.quortab-ready" ]; then
    echo "wine-env: creating the Wine prefix $WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1
    "$WINESERVER" -w
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$QUORTAB_DESKTOP_SIZE" /f >/dev/null 2>&1
    "$WINESERVER" -w
    touch "$WINEPREFIX/.quortab-ready"
  fi
  # A persistent server and an idle process that holds Wine's own services for the whole run:
  # services started by a test process would inherit its output pipe and keep ctest waiting.
  "$WINESERVER" -p
  setsid bash -c 'sleep infinity | "$WINE" cmd.exe /k' >/dev/null 2>&1 &
  quortab_anchor_pid=$!
  "$WINE" cmd.exe /c exit >/dev/null 2>&1 </dev/null
  echo "wine-env: Wine prefix ready"
}

quortab_cleanup() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  if [ -n "$quortab_anchor_pid" ]; then
    kill -- "-$quortab_anchor_pid" 2>/dev/null || true
    wait "$quortab_anchor_pid" 2>/dev/null || true
    quortab_anchor_pid=
  fi
  if [ -n "$quortab_xvfb_pid" ]; then
    kill "$quortab_xvfb_pid" 2>/dev/null || true
    wait "$quortab_xvfb_pid" 2>/dev/null || true
    quortab_xvfb_pid=
  fi
}
