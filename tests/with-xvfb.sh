#!/usr/bin/env bash
# Runs a command against a private Xvfb (1920x1080, 24 bits) that lives as long
# as the command (XVFB_PID, to take it away sooner). Started with -noreset, or it
# turns black when its last client leaves. Usage: with-xvfb.sh [--wm] [--tray] command args...
set -euo pipefail
helpers=()
cleanup() { kill "${helpers[@]}" 2>/dev/null || true; }
trap cleanup EXIT
# -displayfd picks a free display and prints its number once the server is ready.
exec 3< <(exec Xvfb -displayfd 1 -noreset -nolisten tcp -screen 0 "${XVFB_SCREEN:-1920x1080x24}" 2>/dev/null)
helpers+=($!)
export XVFB_PID=$!
read -r -t 10 display <&3 || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$display
unset WAYLAND_DISPLAY
while [ $# -gt 0 ]; do
    case "$1" in
        --wm) openbox --sm-disable >/dev/null 2>&1 & ;;
        --tray) trayer --edge top --align right --widthtype pixel --width 120 --heighttype pixel \
            --height 32 --transparent false --tint 0xd4d0c8 >/dev/null 2>&1 & ;;
        *) break ;;
    esac
    helpers+=($!)
    sleep 0.5
    shift
done
"$@"
