#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
#
# The build installed into a temporary prefix (DESTDIR) and started from its
# menu entry with a fresh HOME: it opens the installed Readme, takes a shot
# through the installed converter, ends by itself and saves its settings in
# ~/.config/snapsentry. Nothing is ever written beside the installed program.
# The menu entry's "設定" action arms it, on a private session bus.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ -n "${E2E_ON_XVFB:-}" ] ||
    exec "$here/../with-xvfb.sh" --wm dbus-run-session -- env E2E_ON_XVFB=1 bash "$0"
source "$here/lib.bash"

root=$(mktemp -d) stub=$(mktemp -d) shots=$(mktemp -d) failures=0 pid=
trap '{ [ -z "$pid" ] || kill "$pid" 2>/dev/null; } || true; rm -rf "$root" "$stub" "$shots"' EXIT
DESTDIR=$root cmake --install "${SNAPSENTRY_BUILD_DIR:?}" --prefix /usr >/dev/null || fail "install"
root=$(realpath "$root") id=org.example.snapsentry
check "desktop entry valid" desktop-file-validate "$root/usr/share/applications/$id.desktop"
check "metainfo valid" appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"

# xdg-open and xdg-mime stand-ins note what would be opened.
printf '#!/bin/sh\necho viewer.desktop\n' >"$stub/xdg-mime"
printf '#!/bin/sh\necho "$1" >>"%s/opened"\n' "$stub" >"$stub/xdg-open"
chmod +x "$stub/xdg-mime" "$stub/xdg-open"
export HOME=$root/home PATH=$stub:$root/usr/bin:$PATH
unset XDG_CONFIG_HOME LD_LIBRARY_PATH
data=$HOME/.config/snapsentry

# A one-minute run that ends the program. Keys in lower case (the lookup
# ignores case) show that the file was written again at the end.
mkdir -p "$data"
one_minute_run "$data/Snapsentry.ini" "$shots" inst 2
sed -i 's/^[A-Za-z]*=/\L&/' "$data/Snapsentry.ini"

main_window() { xdotool search --onlyvisible --name '^Snapsentry$' 2>/dev/null | head -n1; }
ended() { ! kill -0 "$pid" 2>/dev/null; }
"${at_ten[@]}" dex "$root/usr/share/applications/$id.desktop"
for _ in $(seq 200); do wid=$(main_window) && [ -n "$wid" ] && break; sleep 0.1; done
[ -n "$wid" ] || fail "no window from the menu entry"
pid=$(xdotool getwindowpid "$wid")
sleep 1
xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
xdotool key F1
check "Readme opened from share/doc" wait_for 50 \
    grep -qx "$root/usr/share/doc/snapsentry/Readme.txt" "$stub/opened"
action() { sed -n "/^\[Desktop Action $1\]/,/^\[/s/^Exec=//p" "$root/usr/share/applications/$id.desktop"; }
check "armed by the entry's action" $(action arm)
check "shot written through the installed converter" wait_for 100 test -f "$shots/inst1000.jpg"
check "program ended after the run" wait_for 100 ended
pid=
check "settings saved in ~/.config/snapsentry" grep -qx "TopName=inst" "$data/Snapsentry.ini"
check "nothing written beside the program" [ "$(ls -A "$root/usr/bin")" = Snapsentry ]
check "no error logged" [ ! -e "$data/Err.log" ]

[ "$failures" -eq 0 ]
