#!/usr/bin/env bash
# Measures what a user waits for, as whole processes: each row runs a command of Tarnwick and the
# program it is compared with in turns (median of paired runs) and prints both, their ratio and
# the target, with the peak memory of each. Builds a Release build once, in build/release.
#
#   scripts/bench-process.sh [--runs N]
#
# The floors are tarnwick_minimal_core (a Qt Core program that reads the file and writes as many
# bytes as the command) and tarnwick_minimal_window (a Qt Widgets window shown, painted and
# saved to PNG). The patch rows compare with the independent patcher that
# ../shared/peer-patcher/build.sh builds; without it they are skipped.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
runs=15
if [ "${1:-}" = "--runs" ]; then runs=$2; fi

scripts/install-deps.sh >/dev/null
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNWICK_BUILD_BENCHMARKS=ON \
    -DTARNWICK_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target tarnwick tarnwick-cli tarnwick_minimal_core \
    tarnwick_minimal_window >/dev/null
cli=$root/build/release/src/cli/tarnwick-cli
editor=$root/build/release/src/app/tarnwick
core=$root/build/release/bench/tarnwick_minimal_core
window=$root/build/release/bench/tarnwick_minimal_window

peer=""
if [ -x ../shared/peer-patcher/build.sh ]; then
    peer=$(../shared/peer-patcher/build.sh) || peer=""
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mebibyte=$((1024 * 1024))

# The inputs: demo images of 3, 8, 24 and 64 MiB, and a mod of each (a few hundred table bytes).
"$cli" demo-image --release snes-en snes.smc
"$cli" demo-image --release gba-en gba8.gba
"$cli" demo-image --release gba-en --tail $((16 * mebibyte)) gba24.gba
# A tail longer than demo-image writes is appended by hand.
"$cli" demo-image --release gba-en --tail $((16 * mebibyte)) gba64.gba
head -c $((40 * mebibyte)) /dev/urandom >>gba64.gba
for image in snes.smc gba8.gba gba24.gba gba64.gba; do
    "$cli" export "$image" | python3 "$root/scripts/make-bench-mod.py" >"$image.mod.json"
    "$cli" import -o "mod-$image" "$image" "$image.mod.json"
done

row() { python3 "$root/scripts/paired-runs.py" --runs "$runs" "$@"; }
bytes_of() { "$cli" "$@" | wc -c; }

printf '%-46s %4s %12s %12s %14s %8s   %s\n' "measure" "" "tarnwick" "compared" "ratio" \
    "target" "peak memory"
for image in snes.smc gba24.gba; do
    row --name "export $image / minimal Qt Core" --metric wall --target "<=1.5x" -- \
        "$cli" export "$image" --vs "$core" --read "$image" --write "$(bytes_of export "$image")"
    row --name "info $image / minimal Qt Core" --metric wall --target "<=1.5x" -- \
        "$cli" info "$image" --vs "$core" --read "$image" --write "$(bytes_of info "$image")"
done
row --name "--version / minimal Qt Core" --metric wall -- "$cli" --version \
    --vs "$core" --write 20

if [ -n "$peer" ]; then
    "$peer" --create --ips gba8.gba mod-gba8.gba gba8.ips >/dev/null
    "$peer" --create --bps-linear gba24.gba mod-gba24.gba gba24.bps >/dev/null
    row --name "IPS apply gba8 / other patcher" --metric cpu --target "<=1.0x" \
        --clean out.gba -- "$cli" apply gba8.gba gba8.ips out.gba \
        --vs "$peer" --apply gba8.ips gba8.gba out.gba
    row --name "IPS create gba8 / other patcher" --metric cpu --target "<=1.0x" \
        --clean out.ips -- "$cli" patch --ips gba8.gba mod-gba8.gba out.ips \
        --vs "$peer" --create --ips gba8.gba mod-gba8.gba out.ips
    row --name "BPS create gba24 / other patcher (linear)" --metric cpu --target "<=0.25x" \
        --clean out.bps -- "$cli" patch --bps gba24.gba mod-gba24.gba out.bps \
        --vs "$peer" --create --bps-linear gba24.gba mod-gba24.gba out.bps
    row --name "BPS apply gba24 / other patcher" --metric cpu --clean out.gba -- \
        "$cli" apply gba24.gba gba24.bps out.gba --vs "$peer" --apply gba24.bps gba24.gba out.gba
else
    echo "(patch rows skipped: ../shared/peer-patcher is not here)"
fi

# A merge of two mods that each change every other record of every table (the even records and
# the odd ones), against reading the three files.
for image in snes.smc gba24.gba; do
    for half in 0 1; do
        "$cli" export "$image" | python3 "$root/scripts/make-bench-mod.py" 2 $half >half.json
        "$cli" import -o "half$half-$image" "$image" half.json
    done
    row --name "merge $image / minimal Qt Core" --metric wall --target "<50 ms" \
        --clean out.merged -- "$cli" merge -o out.merged "$image" "half0-$image" "half1-$image" \
        --vs "$core" --read "$image" --read "half0-$image" --read "half1-$image"
done

limit=$(python3 -c "print(1.3 * $(stat -c %s gba64.gba) / 2**20 + 24)")
row --name "import -o gba64, peak memory / 1.3 x file + 24" --metric rss --runs 5 \
    --limit-mib "$limit" --target "<=1.0" --clean out.gba -- \
    "$cli" import -o out.gba gba64.gba gba64.gba.mod.json

# A window's start-up varies by a tenth from one run of pairs to the next on a shared machine;
# at least 101 pairs tell 1.2x from 1.3x.
window_runs=$((runs > 101 ? runs : 101))
for image in snes.smc gba8.gba; do
    row --name "window start-up $image / minimal window" --metric wall --target "<=1.25x" \
        --runs "$window_runs" \
        -- env QT_QPA_PLATFORM=offscreen "$editor" "$image" --screenshot shot.png \
        --vs env QT_QPA_PLATFORM=offscreen "$window" shot.png
done
