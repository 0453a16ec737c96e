# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
# Helpers for the end-to-end scripts: sourced, not run.

# A private copy of the application folder: the program writes its settings
# and log beside its executable.
make_app_copy() {
    local dir
    dir=$(mktemp -d)
    cp -r "${SNAPSENTRY_APP_DIR:?}/." "$dir/"
    echo "$dir"
}

# Waits for a visible window of a process; prints its id.
wait_window() { # pid [name-regex] [tries]
    local pid=$1 name=${2:-.} tries=${3:-100} wid
    for _ in $(seq "$tries"); do
        wid=$(xdotool search --all --onlyvisible --pid "$pid" --name "$name" 2>/dev/null | head -n1)
        [ -n "$wid" ] && { echo "$wid"; return 0; }
        sleep 0.1
    done
    return 1
}

window_width() {
    xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p'
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Retries a command for up to $1 tenths of a second; once a check has failed,
# the run is failing anyway: one try, so that the rest report at once.
wait_for() { # tenths command...
    local tenths=$1
    shift
    [ "${failures:-0}" -eq 0 ] || tenths=1
    for _ in $(seq "$tenths"); do
        "$@" && return 0
        sleep 0.1
    done
    "$@"
}

# A step that does not stop the script when it fails: the next steps still
# run and report; failures counts the failed ones.
check() { # description command...
    local what=$1
    shift
    if "$@"; then
        echo "ok:   $what"
    else
        echo "FAIL: $what"
        failures=$((${failures:-0} + 1))
    fi
}

# The settings of a run of one minute, 10:00, that the program starts in: run
# it with "${at_ten[@]}", a clock of its own that reads 10:00:00 at its start.
faketime=$(ls /usr/lib/*/faketime/libfaketimeMT.so.1 2>/dev/null | head -n1)
at_ten=(env LD_PRELOAD="$faketime"
        FAKETIME="@2026-12-08 10:00:00" FAKETIME_DONT_FAKE_MONOTONIC=1)
one_minute_run() { # ini-file folder prefix end-type
    printf '[Main]\nStartTimeH=10\nStartTimeN=00\nEndTimeH=10\nEndTimeN=00\nStep=01\nSaveFolder=%s\nTopName=%s\nEndType=%s\n' \
        "$2" "$3" "$4" >"$1"
}
