#!/usr/bin/env bash
# Fails, naming the files, when a C++ source differs from what clang-format
# makes of it with the checked-in .clang-format. Fix with: clang-format -i FILE
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
bad=()
for f in "${files[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
    printf 'not formatted: %s\n' "${bad[@]}" >&2
    exit 1
fi
echo "clang-format: ${#files[@]} files formatted"
