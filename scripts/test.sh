#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (unit, widget and the
# tests that need a real X server, which get a private Xvfb from the suite).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --test
SNAPSENTRY_CMAKE_ARGS="${SNAPSENTRY_CMAKE_ARGS:-} -DSNAPSENTRY_WERROR=ON" scripts/build.sh
cd build
ctest --output-on-failure -j2 --timeout 300
