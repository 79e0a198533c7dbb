#!/usr/bin/env bash
# Builds the libFuzzer harnesses of tests/fuzz with clang into build-fuzz/ and runs each in
# turn for SECONDS (default 20) on its corpus, tests/fuzz/corpus-<harness>/ (kept between runs,
# outside git), seeded from tests/data. A crash, a leak, a sanitizer report or a timeout fails
# the run and leaves the input in build-fuzz/artifacts/.
# Usage: scripts/fuzz.sh [SECONDS] [HARNESS...]   (e.g. scripts/fuzz.sh 600 FuzzDocx)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
shift || true
build="$top/build-fuzz"
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLXTY_FUZZ=ON >/dev/null
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  for f in "$top"/tests/fuzz/Fuzz*.cpp; do harnesses+=("$(basename "$f" .cpp)"); done
fi
targets=()
for h in "${harnesses[@]}"; do targets+=(--target "$h"); done
cmake --build "$build" -j"$(nproc)" "${targets[@]}"

data="$top/tests/data"
seeds() { # the seed files of one harness, from tests/data
  case "$1" in
    FuzzWordExtraction) find "$data/textfiles" "$data/cli" -type f -size -64k -name '*.*' ;;
    FuzzTextDecoding)   find "$data/textfiles" -type f -size -64k ;;
    FuzzDocx)           find "$data" -type f -name '*.docx' -size -256k ;;
    FuzzSavedState)     find "$data/savedstate" -type f -size -64k ;;
    FuzzPatterns)       find "$data/specified" "$data/wordlists" -type f -size -16k ;;
    FuzzFilePatterns)   ;; # seeds written below
  esac
}
# Inputs longer than a few lines find nothing more in the harnesses that read text and cost
# time; a docx needs room for a zip.
max_len() { case "$1" in FuzzDocx) echo 65536 ;; FuzzWordExtraction|FuzzTextDecoding) echo 8192 ;; *) echo 4096 ;; esac; }
mkdir -p "$build/artifacts"
for h in "${harnesses[@]}"; do
  corpus="$top/tests/fuzz/corpus-$h"
  mkdir -p "$corpus"
  seeds "$h" | while IFS= read -r f; do [ -f "$f" ] && cp -f "$f" "$corpus/"; done
  if [ "$h" = FuzzFilePatterns ]; then
    printf '\001*.txt, *.htm*\0recycle.bin\0/data/Texts/Notes.TXT' > "$corpus/seed1"
    printf '\000a?c.*  *.docx\0\0/a/b/abc.docx' > "$corpus/seed2"
  fi
  echo "== $h: $seconds s"
  nice -n 10 "$build/bin/$h" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len="$(max_len "$h")" -print_final_stats=1 -artifact_prefix="$build/artifacts/$h-" "$corpus" \
    2>"$build/$h.log" || { tail -50 "$build/$h.log"; echo "FAILED: $h"; exit 1; }
  grep -E "stat::number_of_executed_units|stat::average_exec_per_sec" "$build/$h.log" || true
done
