#!/usr/bin/env bash
# Builds Tarnwick and runs its main job on a freshly generated demo image of the given release
# (snes-en, snes-ja, gba-en or gba-ja; snes-en by default).
set -euo pipefail
cd "$(dirname "$0")/.."
release="${1:-snes-en}"
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target tarnwick-cli
mkdir -p build/demo
image="build/demo/demo-$release.bin"
build/default/src/cli/tarnwick-cli demo-image --release "$release" "$image"
build/default/src/cli/tarnwick-cli info "$image"
