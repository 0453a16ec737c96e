#!/usr/bin/env bash
# The GUI thread's longest stall during a shot, on private Xvfb screens of one
# and of two 4K monitors' size. Usage: bench/stall.sh [shots]
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target snapsentry_stall SaveJPG >/dev/null
for screen in 1920x1080x24 7680x2160x24; do
    XVFB_SCREEN=$screen QT_QPA_PLATFORM=xcb tests/with-xvfb.sh build/bench/snapsentry_stall "$@"
done
