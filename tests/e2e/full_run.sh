#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
#
# The real program on a private X server with a window manager and a tray:
# one armed run of one minute (shot, end message), then to the tray and back,
# then a normal exit that writes the settings. Every step is checked and a
# failed step does not hide the ones after it.
set -uo pipefail

app_src="${SNAPSENTRY_APP_DIR:?SNAPSENTRY_APP_DIR is not set}"
source_dir="${SNAPSENTRY_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}"
[ -x "$app_src/Snapsentry" ] || { echo "no program in $app_src" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/app" "$work/shots"
cp -r "$app_src/." "$work/app/"
rm -f "$work/app/Snapsentry.ini" "$work/app/Err.log"

run_on_display() {
    set -uo pipefail
    local app=$1 shots=$2 prefix=e2e failures=0 pid wid
    fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
    pass() { echo "ok:   $*"; }
    # The visible top-level windows titled Snapsentry, one per line.
    visible() { xdotool search --onlyvisible --name '^Snapsentry$' 2>/dev/null || true; }
    is_visible() { visible | grep -qx "$1"; }
    # The icon docked in the tray: a small mapped window of the program (it has no
    # WM_NAME, so it is found by the process id).
    tray_icon() {
        local w
        for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
            eval "$(xdotool getwindowgeometry --shell "$w")"
            [ "$WIDTH" -le 64 ] && [ "$HEIGHT" -le 64 ] && { echo "$w"; return; }
        done
    }
    # Polls a condition for up to $1 tenths of a second.
    wait_for() {
        local tenths=$1
        shift
        for _ in $(seq "$tenths"); do
            "$@" && return 0
            sleep 0.1
        done
        "$@"
    }
    has_icon() { [ -n "$(tray_icon)" ]; }
    no_icon() { [ -z "$(tray_icon)" ]; }
    window_gone() { ! is_visible "$wid"; }
    window_back() { is_visible "$wid"; }
    other_window() { visible | grep -vx "$wid" | while read -r w; do
        has_size_over_64 "$w" && echo "$w"; done | head -n1; }
    has_size_over_64() {
        eval "$(xdotool getwindowgeometry --shell "$1")"
        [ "$WIDTH" -gt 64 ] || [ "$HEIGHT" -gt 64 ]
    }
    message_box_open() { [ -n "$(other_window)" ]; }
    expect_in_tray() {
        wait_for 50 window_gone && pass "$1: window unmapped" || fail "$1: window still mapped"
        wait_for 50 has_icon && pass "$1: tray icon added" || fail "$1: no tray icon"
    }
    expect_restored() {
        wait_for 30 window_back && pass "$1: window shown" || fail "$1: window not shown"
        wait_for 30 no_icon && pass "$1: tray icon removed" || fail "$1: tray icon still there"
    }
    # Presses (and leaves down) a mouse button on the tray icon.
    press_icon() {
        local icon
        icon=$(tray_icon)
        [ -n "$icon" ] || return 1
        eval "$(xdotool getwindowgeometry --shell "$icon")"
        xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
        sleep 0.2
        xdotool mousedown "$1"
    }

    # The run is one minute long: start = end = the minute the program is armed
    # in. Leave enough of that minute for start-up, arming and the shot.
    if [ "$(date +%-S)" -ge 45 ]; then
        sleep $((61 - $(date +%-S)))
    fi
    local hh nn
    hh=$(date +%H)
    nn=$(date +%M)
    cat >"$app/Snapsentry.ini" <<EOF
[Main]
StartTimeH=$hh
StartTimeN=$nn
EndTimeH=$hh
EndTimeN=$nn
Step=01
SaveFolder=$shots
TopName=$prefix
EndType=1
EOF

    "$app/Snapsentry" >"$app/stdout.txt" 2>&1 &
    pid=$!
    wid=$(timeout 15 xdotool search --sync --onlyvisible --name '^Snapsentry$' | head -n1)
    if [ -z "$wid" ]; then
        echo "FAIL: the main window did not appear"
        kill "$pid" 2>/dev/null
        return 1
    fi
    pass "main window $wid shown"
    sleep 1
    no_icon && pass "no tray icon while the window is shown" || fail "tray icon present at start"
    # Settings are read once at load: from here on the file must come from the exit.
    rm -f "$app/Snapsentry.ini"

    # Arm with the confirm button (right-hand side of the window, below the menu bar).
    xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
    xdotool mousemove --window "$wid" 300 80 click 1

    local shot="$shots/$prefix$hh$nn.jpg"
    if wait_for 400 test -f "$shot"; then
        pass "shot $(basename "$shot") written"
    else
        fail "no shot $(basename "$shot") in the save folder"
    fi
    if wait_for 100 message_box_open; then
        local box
        box=$(other_window)
        pass "end message box shown (window $box)"
        import -window "$box" "$app/end-message.png" 2>/dev/null || true
        xdotool windowactivate --sync "$box" >/dev/null 2>&1 || true
        xdotool key Return
        wait_for 50 bash -c "! xdotool search --onlyvisible --name '^Snapsentry$' | grep -qx $box" &&
            pass "end message closed with Return" || fail "end message did not close"
    else
        fail "no end message box (キャプチャ終了 [ 1 件])"
    fi
    if ls "$shots"/*.bmp >/dev/null 2>&1; then
        fail "a .bmp file was left in the save folder: $(ls "$shots")"
    else
        pass "no .bmp left in the save folder"
    fi

    # Minimise through the window manager: the window leaves the screen for the tray.
    xdotool windowminimize "$wid"
    expect_in_tray "minimised with the window manager"

    # A right press on the icon opens the tray menu; its "開く(&O)" brings the window back.
    local before after
    before=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | sort)
    press_icon 3 && xdotool mouseup 3
    sleep 0.7
    after=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | sort)
    if [ "$after" != "$before" ] && window_gone; then
        pass "right press opened the tray menu"
        xdotool key o
        expect_restored "開く(&O) of the tray menu"
    else
        fail "right press opened no menu"
        xdotool key Escape
    fi

    # The File menu's "ﾀｽｸﾄﾚｲに格納(&M)", then a left press on the icon, which
    # restores on the press itself.
    xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
    xdotool key alt+f
    sleep 0.5
    xdotool key m
    expect_in_tray "stored with the File menu"
    press_icon 1
    expect_restored "left press on the icon (button still down)"
    xdotool mouseup 1
    sleep 0.3
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$wid" ] && pass "restored window is active" ||
        fail "restored window is not active"

    # Close through the window manager: the disarmed program saves and ends.
    xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers alt+F4
    local ended=0
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || { ended=1; break; }
        sleep 0.1
    done
    if [ $ended -eq 1 ]; then
        wait "$pid"
        local rc=$?
        [ $rc -eq 0 ] && pass "program ended (exit code 0)" || fail "program ended with $rc"
    else
        fail "program still running after alt+F4"
        kill "$pid" 2>/dev/null
    fi
    if grep -qx "SaveFolder=$shots" "$app/Snapsentry.ini" 2>/dev/null &&
        grep -qx "TopName=$prefix" "$app/Snapsentry.ini" && grep -qx "EndType=1" "$app/Snapsentry.ini"; then
        pass "Snapsentry.ini written at exit"
    else
        fail "Snapsentry.ini not written at exit"
    fi
    [ -f "$app/Err.log" ] && echo "Err.log:" && tr -d '\0' <"$app/Err.log" | sed 's/ *$//'

    echo "$failures step(s) failed"
    [ $failures -eq 0 ]
}
export -f run_on_display

"$source_dir/tests/with-xvfb.sh" --wm --tray bash -c 'run_on_display "$1" "$2"' _ "$work/app" "$work/shots"
