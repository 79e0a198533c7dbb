#!/usr/bin/env bash
# Many small files: the King James Bible split into files of 4 lines (18,284 files, 4.6 MB),
# counted as a folder by lexitally-cli and by the awk pipeline, in one go: median wall times,
# peak memory and the ratio (target: at most 1).
#
# Usage: bench/compare_small_files.sh [RUNS]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cli="$top/build/bin/lexitally-cli"
work=/tmp/lexitally-bench
mkdir -p "$work"
runs=${1:-3}
. "$top/bench/kjv.sh"
make_kjv
dir="$work/small"
if [ ! -d "$dir" ] || [ "$(ls "$dir" | wc -l)" != 18284 ]; then
  rm -rf "$dir" && mkdir -p "$dir"
  (cd "$dir" && split -a 5 -d -l 4 --additional-suffix=.txt ../kjv.txt t)
fi
[ -x "$cli" ] || { echo "Build first: scripts/build.sh"; exit 1; }
. "$top/bench/measure.sh"
echo "Folder: $dir ($(ls "$dir" | wc -l) files), $runs runs each"
lexi=$(measure lexitally-cli "'$cli' '$dir' --output '$work/small-out.txt'")
awkp=$(measure awk "find '$dir' -name '*.txt' -print0 | xargs -0 cat | tr -cs 'A-Za-z' '\n' | awk '{c[tolower(\$0)]++} END{for(w in c) print c[w], w}' | sort -rn")
set -- $lexi; lt=$2; lm=$3
set -- $awkp; at=$2; am=$3
awk -v lt="$lt" -v at="$at" -v lm="$lm" -v am="$am" 'BEGIN{
  printf "lexitally-cli: %.2f s, %.1f MiB\nawk pipeline:  %.2f s, %.1f MiB\nratio %.2f (target at most 1)\n", lt, lm/1024, at, am/1024, lt/at}'
