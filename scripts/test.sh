#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (unit, widget and the
# tests that need a real X server, which get a private Xvfb from the suite),
# then the unit and widget tests once more built with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --test
SNAPSENTRY_CMAKE_ARGS="${SNAPSENTRY_CMAKE_ARGS:-} -DSNAPSENTRY_WERROR=ON" scripts/build.sh
cd build
ctest --output-on-failure -j2 --timeout 300

cd ..
unit_tests=$(cd tests && ls tst_*.cpp | sed 's/\.cpp$//')
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DSNAPSENTRY_SANITIZE=ON -DSNAPSENTRY_WERROR=ON >/dev/null
cmake --build build-asan -j2 $(printf -- '--target %s ' $unit_tests)
UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-asan --output-on-failure -j2 --timeout 300 -R '^tst_'
