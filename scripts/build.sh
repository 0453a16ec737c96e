#!/usr/bin/env bash
# Configures and builds into build/ (the application folder is build/app).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo ${SNAPSENTRY_CMAKE_ARGS:-} >/dev/null
cmake --build build -j"$(nproc)"
