#!/usr/bin/env bash
# Wakeups of the armed program while it waits in the tray: the context switches
# of all its threads over a minute, per second (target: at most 3), with its
# D-Bus interface up on a private session bus.
# Usage: bench/idle.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${IDLE_ON_XVFB:-}" ] || {
    cmake --build build -j2 --target Snapsentry SaveJPG >/dev/null
    exec tests/with-xvfb.sh --wm --tray dbus-run-session -- env IDLE_ON_XVFB=1 SNAPSENTRY_APP_DIR="$PWD/build/app" \
        bash "$0" "$@"
}
source tests/e2e/lib.bash
seconds=${1:-60}
app=$(make_app_copy) shots=$(mktemp -d) pid=
trap '{ [ -z "$pid" ] || kill "$pid" 2>/dev/null; } || true; rm -rf "$app" "$shots"' EXIT
# Armed for a start two hours ahead: the start watch ticks every second.
start=$(date -d '+2 hours' +%H)
printf '[Main]\nStartTimeH=%s\nStartTimeN=00\nEndTimeH=%s\nEndTimeN=30\nStep=01\nSaveFolder=%s\nTopName=i\nEndType=0\n' \
    "$start" "$start" "$shots" >"$app/Snapsentry.ini"
"$app/Snapsentry" >/dev/null 2>&1 &
pid=$!
wid=$(wait_window "$pid" '^Snapsentry$' 200) || { echo "no window" >&2; exit 1; }
sleep 1
xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
xdotool mousemove --window "$wid" 300 80 click 1
sleep 1
xdotool windowminimize "$wid"
sleep 3
"$app/Snapsentry" --status | grep -qx armed=1 || { echo "not armed, or not on the bus" >&2; exit 1; }
switches() {
    cat /proc/"$pid"/task/*/status | awk '/ctxt_switches/ { n += $2 } END { print n }'
}
before=$(switches)
sleep "$seconds"
after=$(switches)
awk -v n=$((after - before)) -v s="$seconds" -v t="$(ls /proc/"$pid"/task | wc -l)" \
    'BEGIN { printf "armed in the tray: %.2f wakeups per second over %d s (%d threads; target 3)\n", n / s, s, t }'
