#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the program, its
# package and the tests that need a real X server, compositor or bus (build/,
# each with a private server from the suite), then the unit and widget tests
# and the ScreenCast test (its own private PipeWire), built with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/). Those run
# only there: once is enough, and that once is the stricter.
set -euo pipefail
cd "$(dirname "$0")/.."
# Ninja for a new build folder, as in scripts/build.sh.
export CMAKE_GENERATOR=${CMAKE_GENERATOR:-Ninja}
scripts/deps.sh --test
server_tests=$(cd tests && ls x11/tst_*.cpp wayland/tst_*.cpp portal/tst_*.cpp | sed 's|.*/||; s/\.cpp$//')
SNAPSENTRY_CMAKE_ARGS="${SNAPSENTRY_CMAKE_ARGS:-} -DSNAPSENTRY_WERROR=ON" \
    scripts/build.sh Snapsentry SaveJPG $server_tests
(cd build && ctest --output-on-failure -j2 --timeout 300 -E '^(tst_|screencast_)')

unit_tests=$(cd tests && ls tst_*.cpp screencast/tst_*.cpp | sed 's|.*/||; s/\.cpp$//')
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DSNAPSENTRY_SANITIZE=ON -DSNAPSENTRY_WERROR=ON >/dev/null
cmake --build build-asan -j2 $(printf -- '--target %s ' $unit_tests)
UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-asan --output-on-failure -j2 --timeout 300 -R '^(tst_|screencast_)'
