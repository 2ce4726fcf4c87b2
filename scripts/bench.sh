#!/usr/bin/env bash
# Builds and runs the benchmarks in an optimised build; extra arguments go to Google Benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target tarnwick_benchmarks tarnwick_gui_benchmarks
build/default/bench/tarnwick_benchmarks "$@"
QT_QPA_PLATFORM=offscreen build/default/bench/tarnwick_gui_benchmarks "$@"
