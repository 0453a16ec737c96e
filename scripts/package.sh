#!/usr/bin/env bash
# Makes the Debian package build-deb/snapsentry_<version>_<arch>.deb in a build
# folder of its own, without the tests. Install it with:
#   sudo apt-get install ./build-deb/snapsentry_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
# Ninja for a new build folder, as in scripts/build.sh.
export CMAKE_GENERATOR=${CMAKE_GENERATOR:-Ninja}
scripts/deps.sh
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    ${SNAPSENTRY_CMAKE_ARGS:-} >/dev/null
cmake --build build-deb -j"$(nproc)"
cd build-deb
cpack -G DEB
