#!/usr/bin/env bash
# Fuzzes the RTF reader with libFuzzer for a bounded time: make fuzz [FUZZ_SECONDS=300].
# Seeds: the RTF documents of the reader's tests (fuzz/corpus, refreshed here, committed) and the help
# file. What the fuzzer finds goes to build/fuzz/found; copy a crashing input into fuzz/corpus once
# fixed, and CTest replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
out=build/fuzz
mkdir -p "$out/found" fuzz/corpus

command -v clang++ >/dev/null && clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a | grep -q / ||
    { echo "make fuzz needs clang with libFuzzer: apt-get install clang libclang-rt-14-dev" >&2; exit 1; }

# Every raw string literal of the reader's tests is a seed, named by its hash so reseeding is idempotent.
# They are one line each, as the reader's table writes its rows.
grep -oP 'R"\(\K.*?(?=\)")' tests/help/HelpTest.cpp | while IFS= read -r seed; do
    printf '%s' "$seed" >"fuzz/corpus/$(printf '%s' "$seed" | sha1sum | cut -c1-16).rtf"
done
cp src/help/quorvanehelpfile.rtf "$out/found/"

clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -Isrc/help \
    src/help/RtfReader.cpp fuzz/rtf_fuzz.cpp -o "$out/rtf_fuzz"
"$out/rtf_fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$out/" "$out/found" fuzz/corpus
