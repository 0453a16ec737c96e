#!/usr/bin/env bash
# Installs what is missing, builds, and starts Snapsentry on the current display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh Snapsentry SaveJPG
if [ -z "${DISPLAY:-}" ]; then
    echo "Snapsentry needs an X11 desktop session: DISPLAY is not set." >&2
    echo "Start it from a terminal inside your desktop, or try it under Xvfb:" >&2
    echo "  xvfb-run -a -s '-screen 0 1280x1024x24' scripts/run.sh" >&2
    exit 1
fi
exec build/app/Snapsentry
