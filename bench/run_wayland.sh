#!/usr/bin/env bash
# Builds the Wayland grab benchmark (if out of date) and runs it on a private
# headless sway, with the desktop portal (the program lays out one 1920x1080
# output showing a busy picture). Extra arguments go to the program (--shots n).
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake -S . -B build >/dev/null
cmake --build build -j2 --target snapsentry_wayland_bench >/dev/null
SWAY_OUTPUTS=1 QT_QPA_PLATFORM=offscreen tests/wayland/with-sway.sh --portal "$PWD/build/bench/snapsentry_wayland_bench" "$@"
