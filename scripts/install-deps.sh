#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing, fuzzing, packaging and running Tarnwick
# need, skipping the download when they are all present already.
set -euo pipefail

packages=(
    build-essential cmake ninja-build git pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libqt6svg6
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format
    zlib1g-dev libicu-dev
    fonts-dejavu-core python3
    dpkg-dev desktop-file-utils appstream shared-mime-info
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
