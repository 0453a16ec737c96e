#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
#
# The program driven without a person at the window, on a private X server
# with a tray and a private session bus: started armed and put away by its
# autostart entry, a run of three shots in fast time (libfaketime), the state
# and refusals through the command line and through D-Bus, a copy that hangs,
# and the end by --quit.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ -x "${SNAPSENTRY_APP_DIR:?}/Snapsentry" ] || { echo "no program in $SNAPSENTRY_APP_DIR" >&2; exit 1; }
source "$here/lib.bash"
[ -n "$faketime" ] && command -v dbus-run-session dex >/dev/null || { echo "SKIP: needs libfaketime, dbus, dex"; exit 77; }
[ -n "${E2E_ON_XVFB:-}" ] ||
    exec "$here/../with-xvfb.sh" --tray dbus-run-session -- env E2E_ON_XVFB=1 bash "$0" 2>&1

app=$(make_app_copy) shots=$(mktemp -d) failures=0 pid= monitor=
export XDG_CONFIG_HOME=$(mktemp -d)
trap 'kill -CONT $pid 2>/dev/null; kill $pid $monitor 2>/dev/null; rm -rf "$app" "$shots" "$XDG_CONFIG_HOME"' EXIT
run() { "$app/Snapsentry" "$@" 2>"$app/err"; }
exits() { # status option... (and the text on standard error, when given as TEXT=...)
    local want=$1 text=
    shift
    case $1 in TEXT=*) text=${1#TEXT=}; shift ;; esac
    run "$@"
    [ $? = "$want" ] && { [ -z "$text" ] || grep -qF -- "$text" "$app/err"; }
}
status_is() { # exit-status key=value...
    local want=$1 out
    shift
    out=$(run --status)
    [ $? = "$want" ] || return 1
    for kv in "$@"; do grep -qxF -- "$kv" <<<"$out" || return 1; done
}
# The message boxes of the program that are open (the main window is put away).
boxes() {
    local w n=0
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        [ "$WIDTH" -gt 64 ] && n=$((n + 1))
    done
    echo $n
}
# A message box of the program: closed with Return.
close_box() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        [ "$WIDTH" -gt 64 ] || continue
        xdotool windowfocus --sync "$w" key Return 2>/dev/null && return 0
    done
    return 1
}

check "bad usage: status 2" exits 2 TEXT=--bogus --bogus
check "--status with no copy: running=0, status 3" status_is 3 running=0
check "--disarm with no copy: status 0" run --disarm
entry=$(run --autostart=on)
check "autostart entry written and valid" desktop-file-validate "$entry"
check "autostart entry starts armed and put away" grep -qx "Exec=$app/Snapsentry --arm --tray" "$entry"

# Logging in at 09:58:30, with the minutes fifteen times as fast: shots at 10:00 to 10:02.
printf '[Main]\nStartTimeH=10\nStartTimeN=00\nEndTimeH=10\nEndTimeN=02\nStep=01\nSaveFolder=%s\nTopName=t\nEndType=0\n' \
    "$shots" >"$app/Snapsentry.ini"
dbus-monitor "type=signal,path=/org/example/snapsentry" >"$app/signals" 2>/dev/null &
monitor=$!
LD_PRELOAD=$faketime FAKETIME="@2026-12-08 09:58:30 x15" FAKETIME_NO_CACHE=1 dex -a -e sway >/dev/null
owner() {
    gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
        -m org.freedesktop.DBus.GetConnectionUnixProcessID org.example.snapsentry 2>/dev/null |
        sed -n 's/.*uint32 \([0-9]*\).*/\1/p'
}
pid=$(wait_for 100 owner)
check "armed at login, waiting" wait_for 50 status_is 0 armed=1 capturing=0 next=1000 count=0
shown() { # the main window, 342 wide (a box may be open too)
    local w
    for w in $(xdotool search --onlyvisible --name "^Snapsentry$" 2>/dev/null); do
        [ "$(window_width "$w")" = 342 ] && return 0
    done
    return 1
}
check "put away: no window shown" eval '! shown'
check "capturing once the start minute came" wait_for 100 status_is 0 capturing=1
check "three shots stored, the run ended" wait_for 300 status_is 0 armed=0 "last=$shots/t1002.jpg"
check "files t1000 t1001 t1002" [ "$(cd "$shots" && echo *)" = "t1000.jpg t1001.jpg t1002.jpg" ]
check "ShotSaved seen for each, then RunEnded 3" eval \
    '[ "$(grep -A1 -e "member=ShotSaved" -e "member=RunEnded" "$app/signals" | grep -o "\".*\"\|int16 .*")" = \
       "$(printf "\"%s\"\n" "$shots"/t100{0,1,2}.jpg; echo "int16 3")" ]'

check "the count announced with PropertiesChanged" eval \
    'grep -A1 "\"ShotCount\"" "$app/signals" | grep -q "int16 3"'

# A save folder that has gone: refused with the window's text, by either way in.
rm -rf "$shots"
check "--arm refused: status 1 and the text" exits 1 TEXT=画像保存先が見つかりません --arm
dbus_call() { # method
    gdbus call --session -d org.example.snapsentry -o /org/example/snapsentry \
        -m org.example.snapsentry.Capture."$1" 2>&1
}
check "D-Bus Arm refused with its error name" eval \
    'grep -q "Error.Refused: 画像保存先が見つかりません" <<<"$(dbus_call Arm)"'
check "the same refusal again: still one box" eval 'sleep 1; [ "$(boxes)" = 1 ]'
check "the refusal's box closed" wait_for 50 close_box
check "the last failure reported" status_is 0 armed=0 "error=画像保存先が見つかりません"

mkdir "$shots"
check "--arm from the command line" eval 'run --arm && status_is 0 armed=1'
check "--quit refused while armed" exits 1 TEXT=設定中です --quit
check "refused again, its box left open: one box" eval \
    'exits 1 TEXT=設定中です --quit && sleep 1 && [ "$(boxes)" = 1 ]'
kill -STOP "$pid"
started=$(date +%s)
check "a copy that hangs: status 4" exits 4 --status
check "given up within 10 s" [ $(($(date +%s) - started)) -lt 10 ]
kill -CONT "$pid"
check "--disarm, twice" eval 'run --disarm && run --disarm && status_is 0 armed=0'

# The schedule from outside: a command line, its status, what --status shows after.
mkdir -p rel
while IFS='|' read -r want line shows; do
    check "schedule: $line" eval "exits $want $line && status_is 0 $shows"
done <<END
0|--start=09:30 --end=1800 --step=5 --end-action=message --prefix=p_ --folder=rel|start=0930 end=1800 step=5 action=message prefix=p_ folder=$PWD/rel
2|--prefix=q --step=61|prefix=p_ step=5
2|--prefix=\$'\\xff'|prefix=p_
0|--folder=$shots --prefix=d1_ --arm|armed=1 prefix=d1_ folder=$shots
1|TEXT=キャンセルしてください --prefix=x|armed=1 prefix=d1_
0|--disarm --prefix=d2_ --arm|armed=1 prefix=d2_
END
set_property() { # name value: the error, if any
    gdbus call --session -d org.example.snapsentry -o /org/example/snapsentry \
        -m org.freedesktop.DBus.Properties.Set org.example.snapsentry.Capture "$@" 2>&1 >/dev/null
}
while IFS='|' read -r name value error shows; do
    check "D-Bus Set $name $value" eval \
        '[ "$(set_property $name "$value" | grep -o "Error\.[A-Za-z]*")" = "$error" ] && status_is 0 $shows'
done <<'END'
Prefix|<"x">|Error.Refused|armed=1 prefix=d2_
Step|<int16 30>|Error.Refused|step=5
END
run --disarm
while IFS='|' read -r name value error shows; do
    check "D-Bus Set $name $value" eval \
        '[ "$(set_property $name "$value" | grep -o "Error\.[A-Za-z]*")" = "$error" ] && status_is 0 $shows'
done <<'END'
Step|<int16 61>|Error.InvalidArgs|step=5
Step|<"30">|Error.InvalidArgs|step=5
Step|<int16 30>||step=30
StartTime|<"7:00">|Error.InvalidArgs|start=0930
EndTime|<"07:45">||end=0745
EndAction|<"exit">||action=exit
Armed|<true>|Error.PropertyReadOnly|armed=0
END
check "ShowWindow shows the window, --tray puts it away" eval \
    'dbus_call ShowWindow >/dev/null && wait_for 50 shown && run --tray && wait_for 50 eval "! shown"'
check "a Set announced with PropertiesChanged" eval 'grep -A1 "\"EndAction\"" "$app/signals" | grep -q exit'
check "--quit ends the copy, its old box still open" eval \
    'run --quit && wait_for 50 eval "! kill -0 $pid 2>/dev/null"'
check "settings saved at the end" eval \
    'grep -qx "SaveFolder=$shots" "$app/Snapsentry.ini" && grep -qx "Step=30" "$app/Snapsentry.ini"'
check "gone from the bus" status_is 3 running=0
sed -i '1i ; kept' "$app/Snapsentry.ini"
check "no copy: the settings file written, nothing started" eval \
    'run --prefix=nc_ --step=7 && [ ! -s "$app/err" ] && status_is 3 running=0'
check "the file keeps its other lines" eval \
    '[ "$(grep -c -e "^; kept$" -e "^TopName=nc_$" -e "^Step=07$" -e "^EndType=2$" "$app/Snapsentry.ini")" = 4 ]'

check "autostart entry removed" eval '[ "$(run --autostart=off)" = "$entry" ] && [ ! -e "$entry" ]'

[ "$failures" -eq 0 ]
