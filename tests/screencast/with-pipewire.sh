#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
#
# Runs a command with a private pipewire and wireplumber of its own, on a
# private session bus, XDG_RUNTIME_DIR (where the command finds the daemon's
# socket) and XDG_CONFIG_HOME: neither a pipewire already running nor the
# user's settings are touched. Wireplumber's device monitors are off: a test
# machine has no sound cards or cameras to offer, and the Bluetooth monitor
# makes wireplumber quit where there is no logind. As root it all runs in a PID
# namespace: whatever was started for the command ends with it, even when the
# script is killed (a time-out). Exits with the command's status, or 77 (a
# skip) where the daemons cannot be had.
# Usage: with-pipewire.sh command args...
set -uo pipefail
skip() { echo "SKIP: $*"; exit 77; }

if [ -z "${SNAPSENTRY_PW_INNER:-}" ]; then
    for tool in dbus-daemon pipewire wireplumber pw-cli; do
        command -v $tool >/dev/null || skip "$tool is not installed"
    done
    [ $# -gt 0 ] || { echo "usage: $0 command args..." >&2; exit 2; }
    # The script's second run is the namespace's init: when it ends, the
    # kernel ends the rest. --kill-child ends it when unshare is killed, which
    # is how a TERM gets there (unshare ignores TERM and INT while it waits),
    # and it is killed when this script is.
    if [ "$(id -u)" -eq 0 ] && unshare -p --fork --mount-proc true 2>/dev/null; then
        export SNAPSENTRY_PW_DIR=$(mktemp -d)
        trap 'rm -rf "$SNAPSENTRY_PW_DIR"' EXIT
        setpriv --pdeathsig KILL unshare -p --fork --mount-proc --kill-child \
            env SNAPSENTRY_PW_INNER=1 "$0" "$@" <&0 &
        ns=$!
        trap 'kill -KILL $ns; wait $ns; exit 143' TERM
        trap 'kill -KILL $ns; wait $ns; exit 130' INT
        wait $ns
        exit
    fi
fi
unset SNAPSENTRY_PW_INNER PIPEWIRE_REMOTE PIPEWIRE_RUNTIME_DIR PIPEWIRE_CONFIG_DIR \
    PIPEWIRE_CONFIG_NAME WIREPLUMBER_CONFIG_DIR WIREPLUMBER_DATA_DIR

export XDG_RUNTIME_DIR=${SNAPSENTRY_PW_DIR:-$(mktemp -d)} # mode 700, as a runtime folder must be
unset SNAPSENTRY_PW_DIR
export XDG_CONFIG_HOME=$XDG_RUNTIME_DIR/config
log=$XDG_RUNTIME_DIR/daemons.log
pids=() # the command and the daemons, ended last to first
cleanup() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null
        wait "${pids[i]}" 2>/dev/null
    done
    rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT
trap 'exit 143' TERM
trap 'exit 130' INT
fail() { cat "$log"; skip "$*"; }
# Polls for up to 10 s while the daemon started last runs.
wait_until() {
    for _ in $(seq 200); do
        "$@" && return 0
        kill -0 "${pids[-1]}" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}

# What is started here dies with this script even when it is killed outright.
child=()
command -v setpriv >/dev/null && child=(setpriv --pdeathsig KILL)
# A bus daemon of our own rather than dbus-run-session: it stays our child, so
# it is ended with the rest, by PID, and its socket goes with the folder.
exec {bus}< <(exec "${child[@]}" dbus-daemon --session --nofork --print-address=1 \
    --address="unix:path=$XDG_RUNTIME_DIR/bus" 2>>"$log")
pids+=($!)
read -r -t 10 -u $bus DBUS_SESSION_BUS_ADDRESS || fail "no session bus"
export DBUS_SESSION_BUS_ADDRESS

# Sorted after the monitors' own settings (50-*) and before 90-enable-all.lua,
# which reads them.
mkdir -p "$XDG_CONFIG_HOME"/wireplumber/{main,bluetooth}.lua.d
printf '%s_monitor.enabled = false\n' alsa v4l2 libcamera \
    >"$XDG_CONFIG_HOME/wireplumber/main.lua.d/60-snapsentry-test.lua"
echo 'bluez_monitor.enabled = false' \
    >"$XDG_CONFIG_HOME/wireplumber/bluetooth.lua.d/60-snapsentry-test.lua"

# The daemons keep their state and caches in the private folder too.
daemon_env=("${child[@]}" env XDG_STATE_HOME="$XDG_RUNTIME_DIR/state" XDG_DATA_HOME="$XDG_RUNTIME_DIR/data"
            XDG_CACHE_HOME="$XDG_RUNTIME_DIR/cache")
"${daemon_env[@]}" pipewire >>"$log" 2>&1 &
pids+=($!)
wait_until pw-cli info 0 >/dev/null 2>&1 || fail "pipewire did not start"

"${daemon_env[@]}" wireplumber >>"$log" 2>&1 &
pids+=($!)
# The "default" metadata is wireplumber's: once it is there, wireplumber is
# connected and starting its policy, which links what is already there too.
# (Not grep -q: under pipefail, pw-cli's broken pipe would make it fail.)
wireplumber_up() { [[ $(pw-cli ls Metadata 2>/dev/null) == *'metadata.name = "default"'* ]]; }
wait_until wireplumber_up || fail "wireplumber did not start"

# In the background, so that a TERM is handled at once; the explicit <&0 keeps
# the command's input.
"${child[@]}" "$@" <&0 &
pids+=($!)
wait "${pids[-1]}"
rc=$?
[ -z "${SNAPSENTRY_PW_LOG:-}" ] || cat "$log"
exit $rc
