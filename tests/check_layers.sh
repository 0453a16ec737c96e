#!/usr/bin/env bash
# Dependencies point down: shell/ may use every other folder; capture/ and
# arming/ never include shell/ (nor each other); platform/ includes none of them.
set -uo pipefail
cd "${SNAPSENTRY_SOURCE_DIR:-$(dirname "$0")/..}"
wrong=0
while read -r dir up; do # a folder, then the folders it must not include
    ! grep -rnE "#include \"($up)/" "$dir" --include='*.h' --include='*.cpp' || wrong=1
done <<'END'
capture shell|arming
arming shell|capture
support shell|capture|arming
platform shell|capture|arming|support
END
exit $wrong
