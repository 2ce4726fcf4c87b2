#!/usr/bin/env bash
# Fails when a C++ file differs from what clang-format makes of it, or when any source line is
# longer than the 100 columns the style allows (clang-format leaves long strings and comments).
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"
long=$(git ls-files '*.cpp' '*.h' '*.txt' '*.sh' '*.cmake' | xargs awk 'length > 100 {
    print FILENAME ":" FNR ": " length " columns" }')
if [ -n "$long" ]; then
    echo "Lines longer than 100 columns:" >&2
    echo "$long" >&2
    exit 1
fi
