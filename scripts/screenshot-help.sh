#!/usr/bin/env bash
# Screenshots of the main window with its File and Help menus open and of the
# About box, taken under Xvfb with a window manager, for looking at them.
# Usage: scripts/screenshot-help.sh [out-dir]
#   writes file-menu.png, help-menu.png, about-screen.png and about.png
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs}")
[ -x build/app/Snapsentry ] || scripts/build.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r build/app/. "$work/"
mkdir -p "$out"
XVFB_SCREEN=800x600x24 tests/with-xvfb.sh --wm bash -c '
    "$1/Snapsentry" & pid=$!
    for _ in $(seq 50); do
        wid=$(xdotool search --name "^Snapsentry$" 2>/dev/null | head -n1) && [ -n "$wid" ] && break
        sleep 0.2
    done
    sleep 1
    # Real key presses (XTEST) to the focused window: Qt ignores synthetic ones.
    xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
    xdotool key alt+f; sleep 0.7
    import -window root "$2/file-menu.png"
    xdotool key Escape Escape; sleep 0.3
    xdotool key alt+h; sleep 0.7
    import -window root "$2/help-menu.png"
    xdotool key Escape Escape; sleep 0.3
    xdotool key alt+h; sleep 0.5; xdotool key a
    about=""
    for _ in $(seq 25); do
        about=$(xdotool search --name "^バージョン情報$" 2>/dev/null | head -n1) && [ -n "$about" ] && break
        sleep 0.2
    done
    sleep 0.5
    import -window root "$2/about-screen.png"
    [ -n "$about" ] && import -window "$about" -frame "$2/about.png"
    kill "$pid"
' _ "$work" "$out"
echo "$out"/{file-menu,help-menu,about-screen,about}.png
