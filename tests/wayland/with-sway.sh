#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
#
# Runs a command on a private headless sway with two outputs (HEADLESS-1 and
# HEADLESS-2; the test lays them out with swaymsg). sway refuses root, and its
# Xwayland always takes :0, so as root it runs as nobody in mount and network
# namespaces (a private /tmp, and X's abstract sockets of its own), and in a PID
# namespace: whatever was started for the command (Xwayland, swaybg, the bus and
# what it activated) ends with it, and cannot hold ctest's output open.
# SWAY_OUTPUTS=1 gives one output. Exits 77 (a skip) where that cannot be had.
# Usage: with-sway.sh [--portal] [--xwayland] command args...
set -uo pipefail
portal=0 xwayland=disable args=()
while [ $# -gt 0 ]; do
    case "$1" in
        --portal) portal=1 ;;
        --xwayland) xwayland=enable ;;
        *) break ;;
    esac
    args+=("$1")
    shift
done
skip() { echo "SKIP: $*"; exit 77; }
command -v sway >/dev/null || skip "sway is not installed"

if [ -z "${SWAY_INNER:-}" ]; then
    [ "$(id -u)" -eq 0 ] || skip "needs root for a private /tmp and an unprivileged user"
    unshare -mnp --fork --mount-proc true 2>/dev/null || skip "no mount, network or PID namespace"
    # What the test needs from the real /tmp (a checkout or build there) is
    # bound back into the private one.
    needed=("$0" "$@" "$PWD" "${SNAPSENTRY_APP_DIR:-}" "${SNAPSENTRY_SOURCE_DIR:-}"
            "${SNAPSENTRY_TEST_DATA:-}")
    tops=()
    for p in "${needed[@]}"; do
        case $p in /tmp/?*) p=${p#/tmp/}; tops+=("${p%%/*}") ;; esac
    done
    # The inner run of this script is the namespace's init: when it ends, the
    # kernel ends the rest. --kill-child ends it when unshare is killed (a time-out).
    exec unshare -mnp --fork --mount-proc --kill-child bash -c 'exec 9</tmp
        mount -t tmpfs -o mode=1777 tmpfs /tmp || exit 77
        n=$1; shift
        for top in "${@:1:$n}"; do
            [ -e "/tmp/$top" ] && continue
            if [ -d "/proc/self/fd/9/$top" ]; then mkdir "/tmp/$top"; else touch "/tmp/$top"; fi
            mount --no-canonicalize --bind "/proc/self/fd/9/$top" "/tmp/$top" || exit 77
        done
        shift "$n"
        exec 9<&-
        exec setpriv --reuid=nobody --regid=nogroup --clear-groups env SWAY_INNER=1 HOME=/tmp "$@"' \
        bash "${#tops[@]}" "${tops[@]}" "$0" "${args[@]}" "$@"
fi

export XDG_RUNTIME_DIR=$(mktemp -d) # mode 700, as a runtime folder must be
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK
config=$XDG_RUNTIME_DIR/config
printf 'xwayland %s\ndefault_border none\nfor_window [title=".*"] floating enable\n' "$xwayland" >"$config"
WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_HEADLESS_OUTPUTS=${SWAY_OUTPUTS:-2} WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$config" >"$XDG_RUNTIME_DIR/sway.log" 2>&1 &
sway_pid=$!
trap 'kill $sway_pid 2>/dev/null; wait $sway_pid 2>/dev/null' EXIT
for _ in $(seq 100); do
    SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | head -n1)
    [ -n "$SWAYSOCK" ] && swaymsg -s "$SWAYSOCK" -t get_outputs >/dev/null 2>&1 && break
    kill -0 $sway_pid 2>/dev/null || break
    sleep 0.1
done
[ -n "$SWAYSOCK" ] || { cat "$XDG_RUNTIME_DIR/sway.log"; skip "sway did not start"; }
export SWAYSOCK WAYLAND_DISPLAY=$(basename "$(ls "$XDG_RUNTIME_DIR"/wayland-? | head -n1)")
[ $xwayland = disable ] || export DISPLAY=:0
[ $portal -eq 1 ] || { "$@"; exit; }
# The portal: a session bus of its own, pipewire, and the wlr and gtk back-ends
# only. xdg-desktop-portal starts every back-end it can find for some interfaces
# (Settings), whatever the desktop, and takes any of them where none is meant for
# sway: it is shown just these two, not a desktop's back-end installed beside them.
export XDG_DESKTOP_PORTAL_DIR=$XDG_RUNTIME_DIR/portals
mkdir "$XDG_DESKTOP_PORTAL_DIR"
ln -s /usr/share/xdg-desktop-portal/portals/{wlr,gtk}.portal "$XDG_DESKTOP_PORTAL_DIR"
# Not exec: the trap ends sway.
dbus-run-session -- bash -c '
    dbus-update-activation-environment WAYLAND_DISPLAY SWAYSOCK XDG_RUNTIME_DIR XDG_CURRENT_DESKTOP=sway
    export XDG_CURRENT_DESKTOP=sway
    pipewire >/dev/null 2>&1 & pw=$!
    "$@"; rc=$?
    kill $pw
    # Only this namespace is in /proc: a back-end running now was started for the test.
    for exe in /proc/[0-9]*/exe; do
        exe=$(readlink "$exe")
        case $exe in
            */xdg-desktop-portal-wlr | */xdg-desktop-portal-gtk) ;;
            */xdg-desktop-portal-*) echo "FAIL: portal back-end not chosen for the test: $exe"; rc=1 ;;
        esac
    done
    exit $rc' bash "$@"
