#!/usr/bin/env bash
# Builds Tarnwick and opens the editor on the demo image of the given release, generated on first
# use and kept in the user's data folder
# (snes-en, snes-ja, gba-en or gba-ja; snes-en by default). Without a display, the editor runs
# off screen and saves a picture of its window instead.
set -euo pipefail
cd "$(dirname "$0")/.."
release="${1:-snes-en}"
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target tarnwick tarnwick-cli
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || [ -n "${QT_QPA_PLATFORM:-}" ]; then
    exec build/default/src/app/tarnwick --demo "$release"
fi
mkdir -p build/demo
picture="build/demo/main-window-$release.png"
echo "No display found: opening the demo image off screen and saving the window to $picture."
QT_QPA_PLATFORM=offscreen build/default/src/app/tarnwick --demo "$release" --screenshot "$picture"
image="build/demo/demo-$release.bin"
build/default/src/cli/tarnwick-cli demo-image --force --release "$release" "$image"
build/default/src/cli/tarnwick-cli info "$image"
