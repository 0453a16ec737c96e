#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
#
# Answers the portal's "Screen Share" dialog (GNOME 43) inside a with-gnome.sh
# session: waits for it, clicks the monitor row, then "Share", and waits for
# the dialog to go. Exits 1 if no dialog appeared within the time given
# (seconds, 20 by default), 2 if it did not go after the clicks.
# Usage: click-share.sh [seconds]
set -uo pipefail
wait_s=${1:-20}
title=${SHARE_DIALOG_TITLE:-Screen Share}
call() {
    gdbus call --session --timeout 5 --dest org.gnome.Shell \
        --object-path /org/snapsentry/BenchPointer --method "org.snapsentry.BenchPointer.$1" "${@:2}"
}
# The frame "x y w h" of the dialog, if it is there.
dialog() {
    call Windows 2>/dev/null | /usr/bin/python3 -c '
import ast, sys
text = sys.stdin.read().strip()
for name, x, y, w, h in ast.literal_eval(text.replace("@a(siiii) ", ""))[0]:
    if name == sys.argv[1] and w > 0:
        print(x, y, w, h)
        break' "$title"
}
deadline=$(( $(date +%s%N) + wait_s * 1000000000 ))
frame=
while [ -z "$frame" ]; do
    [ "$(date +%s%N)" -lt "$deadline" ] || { echo "click-share: no \"$title\" dialog in $wait_s s" >&2; exit 1; }
    frame=$(dialog)
    [ -n "$frame" ] || sleep 0.1
done
read -r x y w h <<<"$frame"
# Give the dialog time to draw and take input before clicking into it.
sleep "${SHARE_CLICK_SETTLE:-0.5}"
call Click "$((x + 258)).0" "$((y + 175)).0" >/dev/null
sleep 0.4
call Click "$((x + 472)).0" "$((y + 22)).0" >/dev/null
for _ in $(seq 50); do
    [ -z "$(dialog)" ] && { echo "click-share: answered the dialog at $x,$y (${w}x$h)" >&2; exit 0; }
    sleep 0.1
done
echo "click-share: the dialog is still there after the clicks" >&2
exit 2
