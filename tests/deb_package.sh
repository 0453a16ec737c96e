#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
#
# The Debian package of the build: lintian finds no error, and the libraries
# that the program and its converter link are among its dependencies.
set -euo pipefail
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB -B "$out" --config "${SNAPSENTRY_BUILD_DIR:?}/CPackConfig.cmake" >/dev/null
deb=$(echo "$out"/snapsentry_*.deb)
lintian --fail-on error "$deb"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libturbojpeg0 libx11-6 qt6-qpa-plugins; do
    grep -q "$lib" <<<"$depends" || { echo "FAIL: $lib missing from Depends: $depends"; exit 1; }
done
