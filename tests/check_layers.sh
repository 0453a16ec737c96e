#!/usr/bin/env bash
# Dependencies point down: shell/ may use every other folder; capture/ and
# arming/ never include shell/ (nor each other); platform/ includes none of them.
# Inside shell/, the rooms: startup/ may use every room; remote/ (the command
# line, the D-Bus service and its client) may use the window and the settings;
# window/ uses the settings but nothing of remote/; settings/ uses neither.
# Inside platform/, the rooms: grab/ (back-ends included) may use files/ but not
# desktop/, files/ uses neither, and no room includes a header at the top of
# platform/ (Platform.h and RealPlatform.h bundle the rooms, not the reverse).
set -uo pipefail
cd "${SNAPSENTRY_SOURCE_DIR:-$(dirname "$0")/..}"
wrong=0
while read -r dir up; do # a folder, then the include paths it must not use
    ! grep -rnE "#include \"($up)" "$dir" --include='*.h' --include='*.cpp' || wrong=1
done <<'END'
capture shell/|arming/
arming shell/|capture/
support shell/|capture/|arming/
platform shell/|capture/|arming/|support/
shell/settings shell/(window|remote|startup)/
shell/window shell/(remote|startup)/
shell/remote shell/startup/
platform/grab platform/desktop/|platform/[^/"]+"
platform/files platform/grab/|platform/desktop/|platform/[^/"]+"
platform/desktop platform/grab/|platform/[^/"]+"
END
exit $wrong
