#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
# A second copy is refused while the first runs; after the first is killed
# with SIGKILL a new copy starts normally.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ -n "${E2E_ON_XVFB:-}" ] || exec "$here/../with-xvfb.sh" env E2E_ON_XVFB=1 bash "$0"
source "$here/lib.bash"
app=$(make_app_copy)
trap 'kill -9 $(jobs -p) 2>/dev/null || true; rm -rf "$app"' EXIT
printf '[Main]\nStartTimeH=08\nStepTime=05\nSaveFolder=/tmp\n' >"$app/Snapsentry.ini"
cp "$app/Snapsentry.ini" "$app/ini.before"

"$app/Snapsentry" 2>/dev/null & first=$!
main=$(wait_window $first '^Snapsentry$') || fail "first copy shows no window"
[ "$(window_width "$main")" = 342 ] || fail "first window is not the main window"

"$app/Snapsentry" 2>/dev/null & second=$!
box=$(wait_window $second '^Snapsentry$') || fail "second copy shows no message"
w=$(window_width "$box"); [ "$w" != 342 ] || fail "second copy opened a main window ($w)"
xdotool windowfocus "$box" 2>/dev/null || true; sleep 0.3; xdotool key Return
wait_for 50 eval "! kill -0 $second 2>/dev/null" || fail "second copy still runs after its message"
wait $second || fail "second copy ended with an error"
kill -0 $first || fail "first copy died"
cmp -s "$app/Snapsentry.ini" "$app/ini.before" || fail "settings file touched by the second copy"
[ ! -e "$app/Err.log" ] || fail "the refusal was logged"

kill -9 $first; wait $first 2>/dev/null || true
"$app/Snapsentry" 2>/dev/null & third=$!
win=$(wait_window $third '^Snapsentry$') || fail "no window after a SIGKILLed copy"
[ "$(window_width "$win")" = 342 ] || fail "restart after SIGKILL was refused"
kill $third
