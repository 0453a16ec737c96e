#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
#
# The real program on a private X server with a window manager and a tray:
# one armed run of one minute (shot, end message), then to the tray and back
# with a left press on the icon, then a normal exit that writes the settings.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ -x "${SNAPSENTRY_APP_DIR:?}/Snapsentry" ] || { echo "no program in $SNAPSENTRY_APP_DIR" >&2; exit 1; }
[ -n "${E2E_ON_XVFB:-}" ] || exec "$here/../with-xvfb.sh" --wm --tray env E2E_ON_XVFB=1 bash "$0"
source "$here/lib.bash"

app=$(make_app_copy) shots=$(mktemp -d) prefix=e2e failures=0 pid=
trap '{ [ -z "$pid" ] || kill "$pid" 2>/dev/null; } || true; rm -rf "$app" "$shots"' EXIT
rm -f "$app/Snapsentry.ini" "$app/Err.log"

# A visible window of the search other than the main window: big (a message
# box) or small (the icon docked in the tray).
window() { # big|small search-args...
    local want=$1 w is
    shift
    for w in $(xdotool search --onlyvisible "$@" 2>/dev/null | grep -vx "$wid"); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        { [ "$WIDTH" -gt 64 ] || [ "$HEIGHT" -gt 64 ]; } && is=big || is=small
        [ "$is" = "$want" ] && { echo "$w"; return; }
    done
}
message_box() { window big --name '^Snapsentry$'; }
tray_icon() { window small --pid "$pid"; }
some() { [ -n "$("$@")" ]; }
none() { [ -z "$("$@")" ]; }
shown() { xdotool search --onlyvisible --name '^Snapsentry$' 2>/dev/null | grep -qx "$wid"; }
hidden() { ! shown; }
ended() { ! kill -0 "$pid" 2>/dev/null; }

# The run is start = end = the minute the program is armed in.
one_minute_run "$app/Snapsentry.ini" "$shots" "$prefix" 1
"${at_ten[@]}" "$app/Snapsentry" >"$app/stdout.txt" 2>&1 &
pid=$!
wid=$(wait_window "$pid" '^Snapsentry$' 200) || { echo "FAIL: the main window did not appear"; exit 1; }
sleep 1
check "no tray icon while the window is shown" none tray_icon
# Settings are read once at load: from here on the file must come from the exit.
rm -f "$app/Snapsentry.ini"

# Arm with the confirm button (right-hand side of the window, below the menu bar).
xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
xdotool mousemove --window "$wid" 300 80 click 1
check "shot ${prefix}1000.jpg written" wait_for 100 test -f "$shots/${prefix}1000.jpg"
check "end message shown" wait_for 300 some message_box
box=$(message_box)
[ -z "$box" ] || xdotool windowactivate --sync "$box" >/dev/null 2>&1 || true
xdotool key Return
check "end message closed with Return" wait_for 50 none message_box
check "no .bmp left in the save folder" test -z "$(find "$shots" -name '*.bmp')"

# Minimise through the window manager: the window leaves the screen for the tray.
xdotool windowminimize "$wid"
check "minimised: window unmapped" wait_for 100 hidden
check "minimised: tray icon added" wait_for 100 some tray_icon
# A left press restores on the press itself, while the button is still down.
icon=$(tray_icon)
if [ -n "$icon" ]; then
    eval "$(xdotool getwindowgeometry --shell "$icon")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) sleep 0.2 mousedown 1
fi
check "left press: window shown" wait_for 50 shown
check "left press: tray icon removed" wait_for 50 none tray_icon
xdotool mouseup 1

# Close through the window manager: the disarmed program saves and ends.
xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
xdotool key --clearmodifiers alt+F4
check "program ended after alt+F4" wait_for 100 ended
ended || kill "$pid"
wait "$pid"
check "exit code 0" [ $? -eq 0 ]
pid=
check "Snapsentry.ini written at exit" grep -qx "SaveFolder=$shots" "$app/Snapsentry.ini"
check "prefix saved at exit" grep -qx "TopName=$prefix" "$app/Snapsentry.ini"
check "no error logged" test ! -f "$app/Err.log"

[ "$failures" -eq 0 ] || { echo "program output:"; cat "$app/stdout.txt"; }
[ "$failures" -eq 0 ]
