#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
#
# The real program as an X11 client of sway's Xwayland (XDG_SESSION_TYPE
# unset), on two outputs of different sizes, one left of the origin: armed for
# the current minute, it must store a JPEG of both outputs taken through
# Wayland, not Xwayland's black root. A skip (77) where sway cannot run.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ -x "${SNAPSENTRY_APP_DIR:?}/Snapsentry" ] || { echo "no program in $SNAPSENTRY_APP_DIR" >&2; exit 1; }
[ -n "${SWAY_INNER:-}" ] || exec "$here/../wayland/with-sway.sh" --xwayland bash "$0"
command -v xdotool >/dev/null || { echo "SKIP: no xdotool"; exit 77; }
source "$here/lib.bash"
unset XDG_SESSION_TYPE SNAPSENTRY_CAPTURE
export QT_QPA_PLATFORM=xcb

app=$(make_app_copy) shots=$(mktemp -d) prefix=xw failures=0 pid=
trap '{ [ -z "$pid" ] || kill "$pid" 2>/dev/null; } || true; rm -rf "$app" "$shots"' EXIT
swaymsg -q -- 'output HEADLESS-1 resolution 1280x720 position -1280 0 bg #2060c0 solid_color'
swaymsg -q -- 'output HEADLESS-2 resolution 1024x768 position 0 200 bg #c06020 solid_color'
# Xwayland's root starts at 0,0: its pointer cannot reach a window left of it.
swaymsg -q focus output HEADLESS-2

one_minute_run "$app/Snapsentry.ini" "$shots" "$prefix" 1
"${at_ten[@]}" "$app/Snapsentry" >"$app/stdout.txt" 2>&1 &
pid=$!
wid=$(wait_window "$pid" '^Snapsentry$' 300) || { cat "$app/stdout.txt"; fail "the main window did not appear"; }
sleep 1
xdotool mousemove --window "$wid" 300 80 click 1
jpg=$shots/${prefix}1000.jpg
check "shot ${jpg##*/} written" wait_for 100 test -f "$jpg"
check "no error logged" test ! -f "$app/Err.log"
# The output left of the origin, which Xwayland's root does not reach, in its
# wallpaper colour (the layout itself is tst_WaylandGrab's).
near() { # x y hex: the pixel's channels each within 12 of the colour's
    local p="p{$1,$2}" r=$((16#${3:0:2})) g=$((16#${3:2:2})) b=$((16#${3:4:2}))
    [ "$(convert "$jpg" -format "%[fx:max(max(abs($p.r*255-$r),abs($p.g*255-$g)),abs($p.b*255-$b))<=12]" \
        info: 2>/dev/null)" = 1 ]
}
check "left output (at x = -1280) in its colour" near 40 700 2060C0
[ "$failures" -eq 0 ] || { echo "program output:"; cat "$app/stdout.txt"; }
[ "$failures" -eq 0 ]
