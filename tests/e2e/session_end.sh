#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
#
# The real program ended from outside, as a logout does: by SIGTERM, and by its
# X server going away. Both write the settings as a normal exit does; the lost
# display ends with a failure status. Each case has its own Xvfb to take away.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.bash"
app=$(make_app_copy) fdfile=$(mktemp) failures=0 xvfb= pid=
trap '{ [ -z "$pid" ] || kill "$pid"; [ -z "$xvfb" ] || kill "$xvfb"; } 2>/dev/null; rm -rf "$app" "$fdfile"' EXIT
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

start_xvfb() {
    : >"$fdfile"
    Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1024x768x24 3>"$fdfile" 2>/dev/null &
    xvfb=$!
    wait_for 50 test -s "$fdfile" || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$fdfile")"
}

saved='[Main]
Step=05
StartTimeH=00
StartTimeN=00
EndTimeH=00
EndTimeN=00
SaveFolder=
TopName=
EndType=0'

for how in SIGTERM display; do
    start_xvfb
    printf '[Main]\nStep=05\n' >"$app/Snapsentry.ini"
    "$app/Snapsentry" 2>/dev/null &
    pid=$!
    wait_window "$pid" '^Snapsentry$' 200 >/dev/null || fail "$how: the main window did not appear"
    if [ "$how" = SIGTERM ]; then kill -TERM "$pid"; else kill "$xvfb"; fi
    wait "$pid"
    status=$? pid=
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
    xvfb=
    check "$how: the settings are written" test "$(cat "$app/Snapsentry.ini")" = "$saved"
    if [ "$how" = SIGTERM ]; then want=143; else want=1; fi
    check "$how: exit status $want" test "$status" = "$want"
done
echo "session end: $((4 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
