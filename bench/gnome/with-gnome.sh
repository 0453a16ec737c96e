#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
#
# Runs a command inside a private headless GNOME Shell (Wayland, one virtual
# 1920x1080 monitor, software rendering) with the desktop portal (GNOME
# back-end, started by D-Bus activation), pipewire and wireplumber, for
# measurements. Must be started as root: everything runs as nobody in mount,
# network and PID namespaces of its own, with a private /tmp and /run (and a
# system bus there: the shell will not start without one). Whatever was
# started ends when the command ends.
#
# Usage: with-gnome.sh command args...
# The command runs as nobody with WAYLAND_DISPLAY, DBUS_SESSION_BUS_ADDRESS,
# XDG_RUNTIME_DIR and XDG_CURRENT_DESKTOP=GNOME set, and with
#   GNOME_BENCH_STATE  a folder shared with the outside (the same path there):
#                      gnome-shell.pid (the shell's PID inside),
#                      gnome-shell.hostpid (its PID outside), env (the
#                      session's environment), logs; bus.log if asked for
#   GNOME_SHELL_PID    the shell's PID (inside)
#   GNOME_BENCH_DIR    this folder (click-share.sh, shell-cpu.sh)
# Settings (environment):
#   GNOME_BENCH_STATE=dir    use (and keep) this folder; otherwise a new one in
#                            /tmp is made, and removed afterwards unless the
#                            run failed or GNOME_BENCH_KEEP=1
#   GNOME_BENCH_MONITOR=1    record the session bus (dbus-monitor) in bus.log
#   GNOME_BENCH_X11=1        let the shell run Xwayland too, and set DISPLAY
#   GNOME_BENCH_GRANT=0      do not grant the Screenshot permission up front
#   GNOME_BENCH_SIZE=WxH     virtual monitor size (1920x1080)
#   GNOME_BENCH_HOME=dir     the session user's home (made if need be, owned
#                            by nobody), kept from run to run: the portal's
#                            permissions (a ScreenCast restore token) and the
#                            settings of the program survive; otherwise a new
#                            one in the private /tmp
#   GNOME_BENCH_BIND="p..."  more paths under /tmp to make reachable inside
# Paths given as arguments (and the current folder) that are under /tmp are
# reachable inside (their top folder in /tmp is); /work and the rest of the
# file system are as outside. The private /tmp is gone afterwards.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
self=$here/$(basename "$0")
die() { echo "with-gnome: $*" >&2; exit 1; }
log() { if [ "${GNOME_BENCH_STAGE:-}" = bus ]; then echo "with-gnome: $*" >&3; else echo "with-gnome: $*" >&2; fi; }
now() { date +%s.%N; }

case ${GNOME_BENCH_STAGE:-} in
'')
    [ $# -gt 0 ] || die "usage: with-gnome.sh command args..."
    [ "$(id -u)" -eq 0 ] || die "must be started as root"
    command -v gnome-shell >/dev/null || die "gnome-shell is not installed"
    [ -x /usr/libexec/xdg-desktop-portal-gnome ] || die "xdg-desktop-portal-gnome is not installed"
    if [ -n "${GNOME_BENCH_STATE:-}" ]; then
        state=$(realpath -m "$GNOME_BENCH_STATE"); mkdir -p "$state"; keep=1
    else
        state=$(mktemp -d /tmp/snapsentry-gnome.XXXXXX); keep=${GNOME_BENCH_KEEP:-0}
    fi
    chmod 755 "$state"
    chown nobody:nogroup "$state"
    home=/tmp/gnome-home outhome=
    if [ -n "${GNOME_BENCH_HOME:-}" ]; then
        home=$(realpath -m "$GNOME_BENCH_HOME") outhome=$home
        mkdir -p "$home"
        chown nobody:nogroup "$home"
    fi
    rm -f "$state"/{gnome-shell.pid,gnome-shell.hostpid,ready,env}
    # What is needed from the real /tmp is bound back into the private one.
    tops=()
    for p in "$self" "$@" "$PWD" "$state" $outhome ${GNOME_BENCH_BIND:-}; do
        case $p in /tmp/?*) p=${p#/tmp/}; tops+=("${p%%/*}") ;; esac
    done
    start=$(now)
    # The inner shell is the namespace's init: when it ends, the kernel ends
    # the rest. --kill-child ends it when unshare is killed.
    unshare -mnp --fork --mount-proc --kill-child bash -c 'exec 9</tmp
        mount -t tmpfs -o mode=1777 tmpfs /tmp || exit 1
        n=$1; shift
        for top in "${@:1:$n}"; do
            [ -e "/tmp/$top" ] && continue
            if [ -d "/proc/self/fd/9/$top" ]; then mkdir "/tmp/$top"; else touch "/tmp/$top"; fi
            mount --no-canonicalize --bind "/proc/self/fd/9/$top" "/tmp/$top" || exit 1
        done
        shift "$n"
        exec 9<&-
        mkdir -m 1777 /tmp/.X11-unix
        mount -t tmpfs -o mode=755 tmpfs /run || exit 1
        ip link set lo up 2>/dev/null
        # A system bus of its own: nothing on it, and nothing activatable.
        mkdir -p /run/dbus /run/user/65534
        chown nobody:nogroup /run/user/65534; chmod 700 /run/user/65534
        cat >/run/dbus/system.conf <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=/run/dbus/system_bus_socket</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_type="method_call"/>
    <allow send_type="signal"/>
    <allow send_type="method_return"/>
    <allow send_type="error"/>
    <allow receive_type="method_call"/>
    <allow receive_type="signal"/>
    <allow receive_type="method_return"/>
    <allow receive_type="error"/>
  </policy>
</busconfig>
EOF
        dbus-daemon --config-file=/run/dbus/system.conf --nofork --nopidfile >/dev/null 2>&1 &
        for _ in $(seq 50); do [ -S /run/dbus/system_bus_socket ] && break; sleep 0.05; done
        exec setpriv --reuid=nobody --regid=nogroup --clear-groups \
            env -u DISPLAY -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS -u SESSION_MANAGER \
                GNOME_BENCH_STAGE=user USER=nobody LOGNAME=nobody \
                XDG_RUNTIME_DIR=/run/user/65534 "$@"' \
        bash "${#tops[@]}" "${tops[@]}" env GNOME_BENCH_STATE="$state" GNOME_BENCH_START="$start" HOME="$home" \
            "$self" "$@" &
    upid=$!
    trap 'kill $upid 2>/dev/null' INT TERM HUP
    # The shell's PID as seen from here, for reading its CPU time from outside.
    (
        for _ in $(seq 1200); do
            kill -0 $upid 2>/dev/null || exit 0
            [ -s "$state/gnome-shell.pid" ] && break
            sleep 0.1
        done
        inner=$(cat "$state/gnome-shell.pid" 2>/dev/null) || exit 0
        init=$(cat /proc/$upid/task/$upid/children 2>/dev/null | awk '{print $1}')
        ns=$(readlink /proc/$init/ns/pid 2>/dev/null) || exit 0
        for p in /proc/[0-9]*; do
            [ "$(readlink $p/ns/pid 2>/dev/null)" = "$ns" ] || continue
            [ "$(awk '/^NSpid:/ {print $NF}' $p/status 2>/dev/null)" = "$inner" ] || continue
            echo "${p#/proc/}" >"$state/gnome-shell.hostpid"
            break
        done
    ) &
    wait $upid; rc=$?
    wait
    if [ "$keep" = 1 ] || [ $rc -ne 0 ]; then
        log "logs and state in $state"
    else
        rm -rf "$state"
    fi
    exit $rc
    ;;
user)
    mkdir -p "$HOME"
    # wireplumber quits at once without logind unless its Bluetooth monitor is off
    # (read after 50-bluez-config.lua, before 90-enable-all.lua acts on it).
    mkdir -p "$HOME/.config/wireplumber/bluetooth.lua.d"
    echo 'bluez_monitor.enabled = false' >"$HOME/.config/wireplumber/bluetooth.lua.d/80-no-bluetooth.lua"
    ext=$HOME/.local/share/gnome-shell/extensions
    mkdir -p "$ext"
    cp -r "$here/bench-pointer@snapsentry" "$ext/"
    # The buses' and the services' chatter goes to a log; the command's stderr
    # (fd 3 here) is kept.
    exec 3>&2
    exec env GNOME_BENCH_STAGE=bus dbus-run-session -- "$self" "$@" 2>"$GNOME_BENCH_STATE/session.log"
    ;;
bus) ;;
*) die "unknown stage" ;;
esac

# On the session bus, as nobody.
state=$GNOME_BENCH_STATE
export XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland XDG_SESSION_DESKTOP=gnome
export GNOME_BENCH_DIR=$here NO_AT_BRIDGE=1
pids=()
cleanup() {
    local p
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    wait 2>/dev/null
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP
if [ "${GNOME_BENCH_MONITOR:-0}" = 1 ]; then
    dbus-monitor --session >"$state/bus.log" 2>&1 & pids+=($!)
fi
dbus-update-activation-environment XDG_CURRENT_DESKTOP XDG_SESSION_TYPE XDG_SESSION_DESKTOP \
    XDG_RUNTIME_DIR HOME NO_AT_BRIDGE
gsettings set org.gnome.shell disable-user-extensions false
gsettings set org.gnome.shell enabled-extensions "['bench-pointer@snapsentry']"
gsettings set org.gnome.shell welcome-dialog-last-shown-version '99'
gsettings set org.gnome.desktop.interface enable-animations false
gsettings set org.gnome.desktop.session idle-delay 0
gsettings set org.gnome.desktop.screensaver lock-enabled false
gsettings set org.gnome.desktop.notifications show-banners false

pipewire >"$state/pipewire.log" 2>&1 & pids+=($!)
for i in $(seq 100); do
    pw-cli info 0 >/dev/null 2>&1 && break
    [ $i -eq 100 ] && { log "pipewire did not come up"; exit 1; }
    sleep 0.05
done
wireplumber >"$state/wireplumber.log" 2>&1 &
wireplumber=$!
pids+=($wireplumber)

x11=--no-x11
[ "${GNOME_BENCH_X11:-0}" = 1 ] && x11=
gnome-shell --headless --wayland $x11 --virtual-monitor "${GNOME_BENCH_SIZE:-1920x1080}" \
    >"$state/gnome-shell.log" 2>&1 &
shell=$!
pids+=($shell)
echo $shell >"$state/gnome-shell.pid"
export GNOME_SHELL_PID=$shell

fail() {
    log "$*"
    tail -n 30 "$state/gnome-shell.log" >&3
    exit 1
}
shellcall() { gdbus call --session --timeout 5 --dest org.gnome.Shell "$@"; }
# The shell is up when its Wayland socket is there and it has taken its name
# on the bus and left the overview it starts in (the extension leaves it at
# the end of the start-up animation; here for good measure), for a while.
overview() {
    shellcall --object-path /org/gnome/Shell --method org.freedesktop.DBus.Properties.Get \
        org.gnome.Shell OverviewActive 2>/dev/null
}
closed=0
for i in $(seq 600); do
    kill -0 $shell 2>/dev/null || fail "gnome-shell ended"
    if [ -S "$XDG_RUNTIME_DIR/wayland-0" ] && [ "$(overview)" = "(<false>,)" ]; then
        closed=$((closed + 1))
        [ $closed -ge 5 ] && break
    else
        closed=0
        shellcall --object-path /org/gnome/Shell --method org.freedesktop.DBus.Properties.Set \
            org.gnome.Shell OverviewActive '<false>' >/dev/null 2>&1
    fi
    [ $i -eq 600 ] && fail "gnome-shell did not come up in 60 s"
    sleep 0.1
done
export WAYLAND_DISPLAY=wayland-0
unset DISPLAY XAUTHORITY
if [ -z "$x11" ]; then
    for _ in $(seq 100); do
        d=$(ls /tmp/.X11-unix 2>/dev/null | head -n1)
        [ -n "$d" ] && break
        sleep 0.1
    done
    [ -n "$d" ] && export DISPLAY=:${d#X} || log "no X display"
    # The shell's Xwayland asks for the cookie it wrote.
    auth=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* 2>/dev/null | head -n1)
    [ -n "$auth" ] && export XAUTHORITY=$auth
fi
dbus-update-activation-environment WAYLAND_DISPLAY ${DISPLAY:+DISPLAY} ${XAUTHORITY:+XAUTHORITY}
# The extension's object, for click-share.sh.
for i in $(seq 100); do
    shellcall --object-path /org/snapsentry/BenchPointer \
        --method org.snapsentry.BenchPointer.Windows >/dev/null 2>&1 && break
    [ $i -eq 100 ] && fail "the bench-pointer extension is not running"
    sleep 0.1
done

kill -0 $wireplumber 2>/dev/null || fail "wireplumber ended: $(tail -n 3 "$state/wireplumber.log")"

if [ "${GNOME_BENCH_GRANT:-1}" = 1 ]; then
    gdbus call --session --dest org.freedesktop.impl.portal.PermissionStore \
        --object-path /org/freedesktop/impl/portal/PermissionStore \
        --method org.freedesktop.impl.portal.PermissionStore.SetPermission \
        screenshot true screenshot "" "['yes']" >/dev/null || fail "could not grant the Screenshot permission"
fi
# The portal, activated now that the shell is there (its GNOME back-end asks
# the shell for capture when it starts).
for i in $(seq 300); do
    x=$(gdbus introspect --session --dest org.freedesktop.portal.Desktop \
        --object-path /org/freedesktop/portal/desktop 2>/dev/null)
    grep -q 'interface org.freedesktop.portal.ScreenCast ' <<<"$x" &&
        grep -q 'interface org.freedesktop.portal.Screenshot ' <<<"$x" && break
    [ $i -eq 300 ] && fail "the portal offers no ScreenCast and Screenshot"
    sleep 0.1
done

for v in WAYLAND_DISPLAY DISPLAY XAUTHORITY DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR XDG_CURRENT_DESKTOP \
         XDG_SESSION_TYPE HOME GNOME_SHELL_PID GNOME_BENCH_STATE GNOME_BENCH_DIR; do
    [ -n "${!v:-}" ] && printf 'export %s=%q\n' "$v" "${!v}"
done >"$state/env"
ready=$(now)
awk -v a="$GNOME_BENCH_START" -v b="$ready" 'BEGIN { printf "session ready in %.2f s\n", b - a }' >"$state/ready"
log "$(cat "$state/ready")"
"$@" 2>&3 3>&-
