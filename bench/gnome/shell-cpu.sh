#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
#
# Prints the CPU time gnome-shell has used so far (user + system), in clock
# ticks and in seconds: "ticks seconds". Inside a with-gnome.sh session it
# reads $GNOME_SHELL_PID; outside, give the session's state folder (its
# gnome-shell.hostpid is the shell's PID as seen there).
# Usage: shell-cpu.sh [state-folder]
set -euo pipefail
if [ $# -gt 0 ]; then
    pid=$(cat "$1/gnome-shell.hostpid")
else
    pid=${GNOME_SHELL_PID:?not in a with-gnome.sh session: give the state folder}
fi
stat=$(cat "/proc/$pid/stat")
# Fields after the command name (which may hold spaces): utime and stime are
# the 14th and 15th of the line, the 12th and 13th after ") ".
read -r -a f <<<"${stat##*) }"
hz=$(getconf CLK_TCK)
ticks=$(( f[11] + f[12] ))
awk -v t=$ticks -v hz="$hz" 'BEGIN { printf "%d %.3f\n", t, t / hz }'
