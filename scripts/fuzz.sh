#!/usr/bin/env bash
# Builds the libFuzzer target with clang and runs it for the given number of seconds (30 by
# default) on every core, keeping the corpus in build/fuzz/corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build/fuzz/corpus
build/fuzz/fuzz/load_fuzzer -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 \
    -print_final_stats=1 build/fuzz/corpus
