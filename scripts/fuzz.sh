#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for its share of the given number of
# seconds (30 by default, split evenly), keeping each one's corpus under build/fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
fuzzers=(load_fuzzer patch_fuzzer)
share=$(( seconds / ${#fuzzers[@]} ))
[ "$share" -ge 1 ] || share=1
for fuzzer in "${fuzzers[@]}"; do
    # The image loader keeps the corpus folder it has always had.
    corpus=build/fuzz/corpus
    [ "$fuzzer" = load_fuzzer ] || corpus="build/fuzz/corpus-$fuzzer"
    mkdir -p "$corpus"
    echo "== $fuzzer for $share s"
    "build/fuzz/fuzz/$fuzzer" -max_total_time="$share" -max_len=4096 -rss_limit_mb=2048 \
        -print_final_stats=1 "$corpus"
done
