#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
#
# The build installed into a temporary prefix (DESTDIR), run with a fresh HOME:
# started from its menu entry it opens the installed Readme and keeps its
# settings in ~/.config/snapsentry; a second start takes a shot through the
# installed converter. Nothing is ever written beside the installed program.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ -n "${E2E_ON_XVFB:-}" ] || exec "$here/../with-xvfb.sh" --wm env E2E_ON_XVFB=1 bash "$0"
source "$here/lib.bash"

root=$(mktemp -d) stub=$(mktemp -d) shots=$(mktemp -d) failures=0 pid=
trap '{ [ -z "$pid" ] || kill "$pid" 2>/dev/null; } || true; rm -rf "$root" "$stub" "$shots"' EXIT
DESTDIR=$root cmake --install "${SNAPSENTRY_BUILD_DIR:?}" --prefix /usr >/dev/null || fail "install"
root=$(realpath "$root") id=org.example.snapsentry
data=$root/home/.config/snapsentry
check "desktop entry valid" desktop-file-validate "$root/usr/share/applications/$id.desktop"
check "metainfo valid" appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"

# xdg-open and xdg-mime stand-ins note what would be opened.
printf '#!/bin/sh\necho viewer.desktop\n' >"$stub/xdg-mime"
printf '#!/bin/sh\necho "$1" >>"%s/opened"\n' "$stub" >"$stub/xdg-open"
chmod +x "$stub/xdg-mime" "$stub/xdg-open"
export HOME=$root/home PATH=$stub:$root/usr/bin:$PATH
unset XDG_CONFIG_HOME LD_LIBRARY_PATH
mkdir -p "$HOME"

ended() { ! kill -0 "$pid" 2>/dev/null; }
main_window() { xdotool search --onlyvisible --name '^Snapsentry$' 2>/dev/null | head -n1; }
stop() { # closes the main window through the window manager
    xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers alt+F4
    wait_for 100 ended || kill "$pid"
    pid=
}

# First start from the menu entry: F1 opens the installed Readme, alt+F4 saves.
dex "$root/usr/share/applications/$id.desktop"
for _ in $(seq 200); do wid=$(main_window) && [ -n "$wid" ] && break; sleep 0.1; done
[ -n "$wid" ] || fail "no window from the menu entry"
pid=$(xdotool getwindowpid "$wid")
xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
xdotool key F1
check "Readme opened from share/doc" wait_for 50 \
    grep -qx "$root/usr/share/doc/snapsentry/Readme.txt" "$stub/opened"
check "data folder made 0700" [ "$(stat -c %a "$data")" = 700 ]
stop
check "settings saved in ~/.config/snapsentry" grep -qx "EndType=0" "$data/Snapsentry.ini"

# Second start: a one-minute run with a prefix ends the program by itself.
[ "$(date +%-S)" -lt 40 ] || sleep $((61 - $(date +%-S)))
hh=$(date +%H) nn=$(date +%M)
printf '[Main]\nStartTimeH=%s\nStartTimeN=%s\nEndTimeH=%s\nEndTimeN=%s\nStep=01\nSaveFolder=%s\nTopName=inst\nEndType=2\n' \
    "$hh" "$nn" "$hh" "$nn" "$shots" >"$data/Snapsentry.ini"
Snapsentry >"$stub/stdout.txt" 2>&1 &
pid=$!
wid=$(wait_window "$pid" '^Snapsentry$' 200) || fail "the main window did not appear"
sleep 1
xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
xdotool mousemove --window "$wid" 300 80 click 1
check "shot written through the installed converter" wait_for 500 test -f "$shots/inst$hh$nn.jpg"
check "program ended after the run" wait_for 100 ended
pid=
check "prefix kept in the saved settings" grep -qx "TopName=inst" "$data/Snapsentry.ini"
check "nothing written beside the program" [ "$(ls -A "$root/usr/bin")" = Snapsentry ]
check "no error logged" [ ! -e "$data/Err.log" ]

[ "$failures" -eq 0 ] || { echo "program output:"; cat "$stub/stdout.txt"; }
echo "$failures step(s) failed"
[ "$failures" -eq 0 ]
