#!/usr/bin/env bash
# Dependencies point down: shell/ may use every other folder; capture/ and
# arming/ never include shell/ (nor each other); platform/ includes none of them.
set -euo pipefail
cd "${SNAPSENTRY_SOURCE_DIR:-$(dirname "$0")/..}"
forbidden() { # folder, then the folders it must not include
    local dir=$1
    shift
    for up in "$@"; do
        grep -rnE "#include \"$up/" "$dir" --include='*.h' --include='*.cpp' || true
    done
}
wrong=$(
    forbidden capture shell arming
    forbidden arming shell capture
    forbidden support shell capture arming
    forbidden platform shell capture arming support
)
if [ -n "$wrong" ]; then
    echo "includes that point the wrong way:"
    echo "$wrong"
    exit 1
fi
echo "layers: 1 passed, 0 failed"
