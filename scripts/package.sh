#!/usr/bin/env bash
# Makes the Debian package build/snapsentry_<version>_<arch>.deb from the build.
# Install it with: sudo apt-get install ./build/snapsentry_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh Snapsentry SaveJPG
cd build
cpack -G DEB
