#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
#
# Runs a command with a pipewire and wireplumber of its own: a private session
# bus, XDG_RUNTIME_DIR (where the sockets are) and XDG_CONFIG_HOME, so that
# neither a running pipewire nor the user's settings are touched, and nothing
# is left in /tmp.
# Wireplumber's device monitors are off: a container has no sound cards,
# cameras or logind (without which the Bluetooth one makes it quit). As root
# it all runs in a PID namespace, so whatever was started ends with it.
# Exits with the command's status, or 77 (a skip) where the daemons cannot be had.
set -uo pipefail
skip() { echo "SKIP: $*"; exit 77; }
if [ -z "${SNAPSENTRY_PW_INNER:-}" ]; then
    for tool in pipewire wireplumber pw-cli dbus-daemon; do
        command -v $tool >/dev/null || skip "$tool is not installed"
    done
    ns=()
    [ "$(id -u)" -eq 0 ] && unshare -p --fork --mount-proc true 2>/dev/null &&
        ns=(unshare -p --fork --mount-proc --kill-child)
    exec "${ns[@]}" env SNAPSENTRY_PW_INNER=1 "$0" "$@"
fi
unset SNAPSENTRY_PW_INNER PIPEWIRE_REMOTE PIPEWIRE_RUNTIME_DIR
export XDG_RUNTIME_DIR=$(mktemp -d) # mode 700, as a runtime folder must be
export XDG_CONFIG_HOME=$XDG_RUNTIME_DIR/config XDG_STATE_HOME=$XDG_RUNTIME_DIR/state
export DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/bus
log=$XDG_RUNTIME_DIR/daemons.log
pids=()
# The daemons die with this script, even when it is killed outright.
daemon() { setpriv --pdeathsig KILL "$@" >>"$log" 2>&1 & pids+=($!); }
trap 'kill "${pids[@]}" 2>/dev/null; wait; rm -rf "$XDG_RUNTIME_DIR"' EXIT
# After the monitors' own settings (50-*), before 90-enable-all.lua reads them.
mkdir -p "$XDG_CONFIG_HOME"/wireplumber/{main,bluetooth}.lua.d
printf '%s_monitor.enabled = false\n' alsa v4l2 libcamera \
    >"$XDG_CONFIG_HOME/wireplumber/main.lua.d/60-snapsentry-test.lua"
echo 'bluez_monitor.enabled = false' >"$XDG_CONFIG_HOME/wireplumber/bluetooth.lua.d/60-snapsentry-test.lua"
# Waits up to 10 s for a check, while the daemon it needs still runs.
await() {
    for _ in $(seq 200); do
        "$@" && return 0
        kill -0 "${pids[-1]}" 2>/dev/null || break
        sleep 0.05
    done
    cat "$log"
    return 1
}
daemon dbus-daemon --session --nofork --nopidfile --address="$DBUS_SESSION_BUS_ADDRESS"
await test -S "$XDG_RUNTIME_DIR/bus" || skip "dbus-daemon did not start"
daemon pipewire
await sh -c 'pw-cli info 0 >/dev/null 2>&1' || skip "pipewire did not start"
daemon wireplumber
# wireplumber's "default" metadata: it is connected and has its policy.
await sh -c 'pw-cli ls Metadata 2>/dev/null | grep -q "\"default\""' || skip "wireplumber did not start"
"$@"
