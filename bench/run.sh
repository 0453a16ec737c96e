#!/usr/bin/env bash
# Builds what the capture benchmark needs (if out of date) and runs it on a
# private 1920x1080 Xvfb. Extra arguments go to the program (--shots, --dir...).
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target snapsentry_bench SaveJPG >/dev/null
QT_QPA_PLATFORM=xcb tests/with-xvfb.sh build/bench/snapsentry_bench "$@"
