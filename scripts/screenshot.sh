#!/usr/bin/env bash
# Screenshots of the program under Xvfb with a window manager, for the README
# and for looking at: the main window disarmed and armed, its File and Help
# menus open, and the About box. Usage: scripts/screenshot.sh [out-dir]   (default: docs)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs}")
[ -x build/app/Snapsentry ] || scripts/build.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r build/app/. "$work/"
mkdir -p "$work/shots"
printf '[Main]\nStartTimeH=09\nStartTimeN=00\nEndTimeH=17\nEndTimeN=30\nStep=15\nSaveFolder=%s\nTopName=scr\nEndType=1\n' \
    "$work/shots" >"$work/Snapsentry.ini"
mkdir -p "$out"
XVFB_SCREEN=800x600x24 tests/with-xvfb.sh --wm bash -c '
    # The desktop is black: trimming it leaves the windows with their frames.
    shot() { import -window root "$1.full.png"; convert "$1.full.png" -trim +repage "$1"; rm -f "$1.full.png"; }
    "$1/Snapsentry" & pid=$!
    for _ in $(seq 50); do
        wid=$(xdotool search --name "^Snapsentry$" 2>/dev/null | head -n1) && [ -n "$wid" ] && break
        sleep 0.2
    done
    sleep 1
    shot "$2/main-window.png"
    # Real key presses (XTEST) to the focused window: Qt ignores synthetic ones.
    xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
    xdotool key F5; sleep 0.7
    shot "$2/armed-window.png"
    xdotool key F5; sleep 0.5
    xdotool key alt+f; sleep 0.7
    shot "$2/file-menu.png"
    xdotool key Escape Escape; sleep 0.3
    xdotool key alt+h; sleep 0.7
    shot "$2/help-menu.png"
    xdotool key Escape Escape; sleep 0.3
    xdotool key alt+h; sleep 0.5; xdotool key a
    for _ in $(seq 25); do
        about=$(xdotool search --name "^バージョン情報$" 2>/dev/null | head -n1) && [ -n "$about" ] && break
        sleep 0.2
    done
    sleep 0.5
    [ -n "${about:-}" ] && import -window "$about" -frame "$2/about.png"
    # It saves its settings on the way out: wait, so the folder is whole when removed.
    kill "$pid"
    wait "$pid" || true
' _ "$work" "$out"
ls "$out"/*.png
