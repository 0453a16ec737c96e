#!/usr/bin/env bash
# Configures and builds into build/ (the application folder is build/app).
# Usage: scripts/build.sh [target...]   (default: everything, tests included)
set -euo pipefail
cd "$(dirname "$0")/.."
# Ninja for a new build folder: it builds several targets at once, where the
# makefiles build one after another. A folder keeps the generator it was made with.
export CMAKE_GENERATOR=${CMAKE_GENERATOR:-Ninja}
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo ${SNAPSENTRY_CMAKE_ARGS:-} >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build build -j"$(nproc)" "${targets[@]}"
