#!/usr/bin/env bash
# Takes a screenshot of the main window under Xvfb (with a window manager), for
# the README and for looking at. Usage: scripts/screenshot.sh [out.png] [--menu]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/main-window.png}")
mode="${2:-}"
[ -x build/app/Snapsentry ] || scripts/build.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r build/app/. "$work/"
mkdir -p "$(dirname "$out")"
XVFB_SCREEN=800x600x24 tests/with-xvfb.sh --wm bash -c '
    "$1/Snapsentry" & pid=$!
    for _ in $(seq 50); do
        wid=$(xdotool search --name "^Snapsentry$" 2>/dev/null | head -n1) && [ -n "$wid" ] && break
        sleep 0.2
    done
    sleep 1
    if [ "$3" = "--menu" ]; then xdotool key --window "$wid" alt+f; sleep 0.7; fi
    # The desktop is black: trimming it leaves the window with its frame (and an open menu).
    import -window root "$2.full.png"
    convert "$2.full.png" -trim +repage "$2"
    rm -f "$2.full.png"
    kill "$pid"
' _ "$work" "$out" "$mode"
echo "$out"
