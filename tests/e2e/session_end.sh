#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
#
# The real program losing its X server, as at a logout: it writes the settings
# as a normal exit does and ends with a failure status. (Signals and the
# session manager are covered in-process by tst_SessionEnd.)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.bash"
app=$(make_app_copy) fdfile=$(mktemp) failures=0 xvfb= pid=
trap '{ [ -z "$pid" ] || kill "$pid"; [ -z "$xvfb" ] || kill "$xvfb"; } 2>/dev/null; rm -rf "$app" "$fdfile"' EXIT
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1024x768x24 3>"$fdfile" 2>/dev/null &
xvfb=$!
wait_for 50 test -s "$fdfile" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$fdfile")"
printf '[Main]\nStep=05\n' >"$app/Snapsentry.ini"
"$app/Snapsentry" 2>/dev/null &
pid=$!
wait_window "$pid" '^Snapsentry$' 200 >/dev/null || fail "the main window did not appear"
kill "$xvfb"
wait "$pid"
status=$? pid=
wait "$xvfb" 2>/dev/null
xvfb=
check "the settings are written" test "$(cat "$app/Snapsentry.ini")" = "$(printf '%s\n' '[Main]' \
    Step=05 StartTimeH=00 StartTimeN=00 EndTimeH=00 EndTimeN=00 SaveFolder= TopName= EndType=0)"
check "exit status 1" test "$status" = 1
[ "$failures" -eq 0 ]
