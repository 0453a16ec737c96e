#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
#
# The real program losing its X server, as at a logout: it writes the settings
# as a normal exit does and ends with a failure status. (Signals and the
# session manager are covered in-process by tst_MainWindow.)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ -n "${E2E_ON_XVFB:-}" ] || exec "$here/../with-xvfb.sh" env E2E_ON_XVFB=1 bash "$0"
source "$here/lib.bash"
app=$(make_app_copy) failures=0 pid=
trap '{ [ -z "$pid" ] || kill "$pid"; } 2>/dev/null; rm -rf "$app"' EXIT
unset QT_QPA_PLATFORM
printf '[Main]\nStep=05\n' >"$app/Snapsentry.ini"
"$app/Snapsentry" 2>/dev/null &
pid=$!
wait_window "$pid" '^Snapsentry$' 200 >/dev/null || fail "the main window did not appear"
kill "$XVFB_PID"
wait "$pid"
status=$? pid=
check "the settings are written" test "$(cat "$app/Snapsentry.ini")" = "$(printf '%s\n' '[Main]' \
    Step=05 StartTimeH=00 StartTimeN=00 EndTimeH=00 EndTimeN=00 SaveFolder= TopName= EndType=0)"
check "exit status 1" test "$status" = 1
[ "$failures" -eq 0 ]
