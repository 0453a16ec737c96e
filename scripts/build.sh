#!/usr/bin/env bash
# Configures and builds into build/ (the application folder is build/app).
# Usage: scripts/build.sh [target...]   (default: everything, tests included)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo ${SNAPSENTRY_CMAKE_ARGS:-} >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build build -j"$(nproc)" "${targets[@]}"
