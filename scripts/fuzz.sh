#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for its share of the given number of
# seconds (30 by default, split evenly among them), one after the other, keeping each one's
# corpus under build/fuzz. An empty corpus is first given a few small seeds, written here or,
# for the patch fuzzer, by the fuzzer itself (patches between demo images need the patch code),
# so that the fuzzer starts from inputs of the shape its target reads.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# Writes a seed: the selector byte given as a number, then the bytes (\xHH escapes allowed).
seed() {
    { printf "\\x$(printf %02x "$2")"; printf %b "$3"; } >"$1"
}

# load_fuzzer: a selector byte (release 0-3), then edits: area, offset (two bytes), length,
# and that many bytes. One seed per release and demo area, with bytes that end or shift game
# strings, blank glyphs and fill records, and per release seeds of six such edits in a row, so
# that the fuzzer starts from inputs that change several tables at once.
seed_load_corpus() {
    local release area edits first
    for release in 0 1 2 3; do
        for area in $(seq 0 23); do
            seed "$1/seed-$release-$area" "$release" "$(load_edit "$area")"
        done
        for first in 0 6 12 18; do
            edits=
            for area in $(seq "$first" $((first + 5))); do
                edits+=$(load_edit "$area")
            done
            seed "$1/seed-$release-several-$first" "$release" "$edits"
        done
    done
}

load_edit() {
    echo "\\x$(printf %02x "$1")\\x10\\x00\\x08\\x04\\xC2\\x00\\xFF\\x67\\x36\\x01\\x80"
}

# tables_json_fuzzer: a selector byte (release 0-3, plus 4 to lay the object over the demo
# image's export), then JSON: a header with one table, the export unchanged, one changed record
# in every table, and values of the wrong kind.
seed_tables_json_corpus() {
    local release wrong n
    local keys=(snes-en snes-ja gba-en gba-ja)
    local records='"chestTable":[[1,2,3,4,5]],"monsterBoxTable":[[],[1,2,3,4]],
        "shopTable":[[0,1,2,3,4,5,6,7,8]],"esperTable":[[0,1,2,3,4,5,6,7,8,9,10]],
        "anim8Table":[[255,0,1,2,3,4,5,6]],"anim14Table":[[0,1,2,3,4,5,6,7,8,9,10,11,12,13,14]]'
    for release in 0 1 2 3; do
        seed "$1/seed-header-$release" "$release" \
            "{\"format\":\"tarnwick-tables\",\"version\":1,\"release\":\"${keys[$release]}\",
             \"gpMultiplier\":100,\"tables\":{\"shopTable\":[[0,1,2,3,4,5,6,7,8]]}}"
        seed "$1/seed-export-$release" $((release + 4)) '{}'
        seed "$1/seed-records-$release" $((release + 4)) \
            "{\"gpMultiplier\":7,\"tables\":{$records}}"
        n=0
        for wrong in '"x"' 'null' '[[256]]' '[[-1]]' '[[0.5]]' '{}' '[[1e300]]'; do
            seed "$1/seed-wrong-$release-$n" $((release + 4)) "{\"tables\":{\"shopTable\":$wrong}}"
            n=$((n + 1))
        done
    done
}

fuzzers=(load_fuzzer patch_fuzzer tables_json_fuzzer)
share=$(( seconds / ${#fuzzers[@]} ))
[ "$share" -ge 1 ] || share=1
for fuzzer in "${fuzzers[@]}"; do
    # The image loader keeps the corpus folder it has always had.
    corpus=build/fuzz/corpus
    [ "$fuzzer" = load_fuzzer ] || corpus="build/fuzz/corpus-$fuzzer"
    mkdir -p "$corpus"
    options=(-max_len=4096)
    case "$fuzzer" in
    load_fuzzer)
        [ -n "$(ls -A "$corpus")" ] || seed_load_corpus "$corpus"
        # Each run takes tens of milliseconds and nearly every one finds something new, so
        # libFuzzer's length control would keep inputs at the seeds' length for good: let them
        # grow at once, up to dozens of edits.
        options=(-max_len=1024 -len_control=0) ;;
    patch_fuzzer)
        [ -n "$(ls -A "$corpus")" ] || "build/fuzz/fuzz/$fuzzer" --write-seeds "$corpus" ;;
    tables_json_fuzzer)
        [ -n "$(ls -A "$corpus")" ] || seed_tables_json_corpus "$corpus"
        # Every run frees a whole export of the demo tables, so ASan's quarantine of freed
        # memory (256 MB) fills within a few thousand runs and its allocator keeps the pages:
        # the fuzzer's memory grows towards 1 GB over minutes with nothing leaked, which the
        # RSS limit allows for.
        options+=(-dict=fuzz/tables_json.dict) ;;
    esac
    echo "== $fuzzer for $share s"
    "build/fuzz/fuzz/$fuzzer" -max_total_time="$share" -rss_limit_mb=2048 -print_final_stats=1 \
        "${options[@]}" "$corpus"
done
