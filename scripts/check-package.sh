#!/usr/bin/env bash
# Builds the Debian package from a Release build of the two programs, checks its contents, the
# desktop entry and the AppStream metadata, installs it with apt, runs both programs from
# /usr/bin and removes it again, together with anything apt pulled in for it.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=build/package
app_id=org.tarnwick.Tarnwick
jobs=${TARNWICK_JOBS:-2}

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
# Wait for another apt or dpkg run on the machine instead of failing on its lock.
apt_get=("${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300)

step() {
    echo "== $1 ($SECONDS s)"
}
fail() {
    echo "check-package: $1" >&2
    exit 1
}

scripts/install-deps.sh

step "Validating the desktop entry and the AppStream metadata"
desktop-file-validate "resources/$app_id.desktop"
appstreamcli validate --no-net "resources/$app_id.metainfo.xml"

step "Building the programs (Release)"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNWICK_BUILD_TESTS=OFF \
    -DTARNWICK_BUILD_BENCHMARKS=OFF -DTARNWICK_BUILD_FUZZERS=OFF -DTARNWICK_SANITIZE=OFF >/dev/null
cmake --build "$build_dir" --parallel "$jobs"

step "Making the package"
rm -f "$build_dir"/tarnwick_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
debs=("$build_dir"/tarnwick_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one tarnwick_*.deb in $build_dir"
deb=$(realpath "${debs[0]}")
version=$(dpkg-deb --field "$deb" Version)
dpkg-deb --field "$deb" Package Version Architecture Installed-Size Depends Recommends Section
echo "File: $deb ($(stat -c %s "$deb") bytes)"

# Exactly the programs, their data files and the manual: no tests, benchmarks, libraries or
# headers.
expected="./usr/bin/tarnwick
./usr/bin/tarnwick-cli
./usr/share/applications/$app_id.desktop
./usr/share/doc/tarnwick/MANUAL.md
./usr/share/doc/tarnwick/copyright
./usr/share/icons/hicolor/scalable/apps/tarnwick.svg
./usr/share/metainfo/$app_id.metainfo.xml"
contents=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | LC_ALL=C sort)
if [ "$contents" != "$expected" ]; then
    echo "Package contents:" >&2
    echo "$contents" >&2
    fail "the package holds other files than the programs and their data files"
fi

step "Validating the installed desktop entry and metadata"
unpacked=$(mktemp -d)
installed_before=$(mktemp)
cleanup() {
    rm -rf "$unpacked" "$installed_before"
}
trap cleanup EXIT
dpkg-deb --extract "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$unpacked/usr/share/metainfo/$app_id.metainfo.xml"

step "Installing the package"
if dpkg-query -W -f='${Status}' tarnwick 2>/dev/null | grep -q "install ok installed"; then
    fail "a tarnwick package is installed already; remove it first (apt-get remove tarnwick)"
fi
installed_packages() {
    dpkg-query -W -f='${Package} ${Status}\n' | awk '$NF == "installed" { print $1 }' | sort
}
installed_packages >"$installed_before"
# From here on, whatever happens, the package and anything apt installed for it go again.
uninstall() {
    local status=$?
    step "Removing the package"
    "${apt_get[@]}" remove -y -qq tarnwick >/dev/null || status=1
    mapfile -t pulled < <(installed_packages | comm -13 "$installed_before" -)
    if [ ${#pulled[@]} -gt 0 ]; then
        echo "Removing what the package pulled in: ${pulled[*]}"
        "${apt_get[@]}" remove -y -qq "${pulled[@]}" >/dev/null || status=1
    fi
    cleanup
    step "Done"
    exit "$status"
}
trap uninstall EXIT
"${apt_get[@]}" install -y -qq --no-install-recommends "$deb" >/dev/null

step "Running the installed programs"
cli_version=$(/usr/bin/tarnwick-cli --version)
echo "$cli_version"
[ "$cli_version" = "tarnwick-cli $version" ] ||
    fail "tarnwick-cli --version printed \"$cli_version\", expected \"tarnwick-cli $version\""
gui_version=$(QT_QPA_PLATFORM=offscreen /usr/bin/tarnwick --version)
echo "$gui_version"
[ "$gui_version" = "tarnwick $version" ] ||
    fail "tarnwick --version printed \"$gui_version\", expected \"tarnwick $version\""
# The editor opens a demo image off screen, which loads the Qt plugins the package relies on;
# its settings and runtime files go into a scratch folder so the machine keeps none.
scratch="$unpacked/scratch"
mkdir -m 700 "$scratch"
HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch" \
    QT_QPA_PLATFORM=offscreen /usr/bin/tarnwick --demo snes-en --screenshot "$scratch/window.png"
[ -s "$scratch/window.png" ] || fail "tarnwick --demo wrote no picture of its window"
echo "tarnwick --demo: window picture of $(stat -c %s "$scratch/window.png") bytes"
