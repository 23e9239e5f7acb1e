#!/usr/bin/env bash
# Builds both architectures and packs the release zip into $BUILD_DIR/release/: QuorTab.exe
# (32-bit), QuorTab64.exe (64-bit) and a readme for Windows users; prints sizes and SHA-256.
set -euo pipefail
source "$(dirname "$0")/preamble.sh"

"$root/scripts/setup.sh"
"$root/scripts/build.sh"

version=$(sed -n 's/^project(QuorTab VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "release: no version in CMakeLists.txt" >&2; exit 1; }
out=$build/release
stage=$out/QuorTab-$version
zipfile=$out/QuorTab-$version.zip
rm -rf "$stage" "$zipfile"
mkdir -p "$stage"

# Each file must be the architecture its name promises; the copies lose their symbols.
pack() {
  local from=$1 to=$2 format=$3 strip=$4
  objdump -f "$from" | grep -q "file format $format" || { echo "release: $from is not $format" >&2; exit 1; }
  "$strip" -o "$stage/$to" "$from"
}
pack "$build/i686/bin/QuorTab.exe" QuorTab.exe pei-i386 i686-w64-mingw32-strip
pack "$build/x86_64/bin/QuorTab.exe" QuorTab64.exe pei-x86-64 x86_64-w64-mingw32-strip
# Both still carry the application manifest (resource type 24, id 1).
for exe in QuorTab.exe QuorTab64.exe; do
  x86_64-w64-mingw32-windres -i "$stage/$exe" -O rc | grep -q '^1 24 ' \
    || { echo "release: $exe carries no manifest" >&2; exit 1; }
done

# Plain text with Windows line endings, so Notepad on any Windows shows it properly.
sed 's/$/\r/' > "$stage/README.txt" <<TEXT
QuorTab $version

QuorTab gathers windows of other programs into one group with tabs. A thin strip of tabs
sits under the window you see, exactly as wide, and follows it when you move or resize it.
Click a tab to bring its window up in the same place; the others stay hidden meanwhile.

Files
  QuorTab.exe     for 32-bit and 64-bit Windows
  QuorTab64.exe   the same program built for 64-bit Windows

Windows
  Windows 7, 8, 8.1, 10 and 11. The strip, its tabs and the dialogs take the look of the
  Windows version and stay sharp at any display scaling; on Windows 10 and 11 they follow the
  scaling of each monitor the window is on. On Windows 10 (version 1903 and later) and 11 the
  tabs show titles in every script, emoji included; older versions show the characters of
  the system's language, and "?" for others.

Nothing to install: unpack the files anywhere and start one of them. QuorTab keeps no
settings, writes no files and leaves nothing in the registry.

Use
  - At start QuorTab asks which window to group first: choose it and press OK.
  - Right-click the strip of tabs:
      Add Window...   puts another window into the group (it hides until you pick its tab)
      Remove Window   gives the window of the tab you right-clicked back to the desktop
      Close Window    brings that tab to the front and asks its program to close the window
      Copy Command Line  puts on the clipboard a command line that gathers this group again
      Exit            ends QuorTab and shows every grouped window again
      About...        shows the version
  - Ctrl+Tab and Ctrl+Shift+Tab, or the mouse wheel over the strip, switch between tabs.
  - Ctrl+Alt+PageDown and Ctrl+Alt+PageUp switch tabs while you work in the grouped window.
  - Drag a tab along the strip to reorder it; drag it well off the strip to let its window go
    there. A middle click on a tab lets its window go where it stands. When the window in
    front leaves, the next tab takes its place.
  - A program that hides its own window (to the notification area) leaves the others in reach:
    the next tab comes up, and the hidden one returns to the front when its program shows it.
  - Windows of programs that run as administrator can be grouped only by a QuorTab that runs
    as administrator too; QuorTab says so when you pick one.
  - Each tab shows its window's icon before the title. A program that is busy or hangs
    never holds QuorTab up: its tab keeps the icon QuorTab found for it at once.
  - When the last grouped window closes, QuorTab ends by itself.

Starting with a group
  QuorTab.exe [--process PATTERN]... [--class PATTERN]... [--title PATTERN]... [--follow]
  With options QuorTab asks nothing: it groups every window that any option matches, the
  top-most first. --process matches the program's file name (notepad.exe), --class the window
  class, --title the title; * stands for any run of characters, ? for one, case is ignored.
  With --follow it keeps taking in matching windows that open later, and waits for the first
  one if none is open yet. QuorTab.exe --help shows the options.

  A shortcut for a group: arrange the group, right-click the strip, choose Copy Command Line.
  Then right-click the desktop, choose New > Shortcut, paste into "Type the location of the
  item", and name it. To have it at sign-in, put the shortcut into the folder that
  Win+R "shell:startup" opens; add --follow at its end (if it is not there) so that it waits
  for programs that start after it.
TEXT

(cd "$stage" && zip -q -X "$zipfile" QuorTab.exe QuorTab64.exe README.txt)

for exe in QuorTab.exe QuorTab64.exe; do
  printf 'release: %-14s %8d bytes  sha256 %s\n' "$exe" "$(stat -c %s "$stage/$exe")" \
         "$(sha256sum "$stage/$exe" | cut -d' ' -f1)"
done
echo "release: $zipfile"
