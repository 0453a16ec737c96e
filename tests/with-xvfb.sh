#!/usr/bin/env bash
# Runs a command against a private Xvfb (1920x1080, 24 bits) that lives as long
# as the command. Started with -noreset, or it turns black when its last client
# leaves. Usage: with-xvfb.sh [--wm] [--tray] command args...
set -euo pipefail
want_wm=0 want_tray=0
while [ $# -gt 0 ]; do
    case "$1" in
        --wm) want_wm=1; shift ;;
        --tray) want_tray=1; shift ;;
        *) break ;;
    esac
done

fdfile=$(mktemp)
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 "${XVFB_SCREEN:-1920x1080x24}" 3>"$fdfile" 2>/dev/null &
xvfb_pid=$!
helpers=()
cleanup() {
    for pid in "${helpers[@]}"; do kill "$pid" 2>/dev/null || true; done
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    rm -f "$fdfile"
}
trap cleanup EXIT
for _ in $(seq 100); do
    [ -s "$fdfile" ] && break
    sleep 0.05
done
[ -s "$fdfile" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$fdfile")"
unset WAYLAND_DISPLAY

if [ $want_wm -eq 1 ]; then
    openbox --sm-disable >/dev/null 2>&1 &
    helpers+=($!)
fi
if [ $want_tray -eq 1 ]; then
    trayer --edge top --align right --widthtype pixel --width 120 --heighttype pixel --height 32 \
        --transparent false --tint 0xd4d0c8 >/dev/null 2>&1 &
    helpers+=($!)
fi
[ $want_wm -eq 1 ] || [ $want_tray -eq 1 ] && sleep 1
"$@"
