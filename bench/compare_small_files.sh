#!/usr/bin/env bash
# Many small files: the King James Bible split into files of 4 lines (18,284 files, 4.6 MB),
# counted as a folder by lexitally-cli and by the awk pipeline, in one go: median wall times,
# median user+system CPU seconds, peak memory and the ratio of the wall times (target: at most
# 1), and the load average before and after (with both cores busy the ratio says little).
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
# The median user+system CPU seconds of the last measure (its timings are in $work/cpu.txt).
cpu_measure() {
  local name=$1; shift
  local cpus=()
  for _ in $(seq "$runs"); do
    /usr/bin/time -f '%U %S' -o "$work/cpu.txt" bash -c "$*" > /dev/null 2>&1
    cpus+=("$(awk '{print $1 + $2}' "$work/cpu.txt")")
  done
  printf '%s\n' "${cpus[@]}" | sort -g | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'
}
echo "Folder: $dir ($(ls "$dir" | wc -l) files), $runs runs each; load before: $(cut -d' ' -f1-3 /proc/loadavg)"
lexicmd="'$cli' '$dir' --output '$work/small-out.txt'"
awkcmd="find '$dir' -name '*.txt' -print0 | xargs -0 cat | tr -cs 'A-Za-z' '\n' | awk '{c[tolower(\$0)]++} END{for(w in c) print c[w], w}' | sort -rn"
lexi=$(measure lexitally-cli "$lexicmd")
awkp=$(measure awk "$awkcmd")
lc=$(cpu_measure lexitally-cli "$lexicmd")
ac=$(cpu_measure awk "$awkcmd")
set -- $lexi; lt=$2; lm=$3
set -- $awkp; at=$2; am=$3
awk -v lt="$lt" -v at="$at" -v lm="$lm" -v am="$am" -v lc="$lc" -v ac="$ac" 'BEGIN{
  printf "lexitally-cli: %.2f s, %.2f s user+sys, %.1f MiB\nawk pipeline:  %.2f s, %.2f s user+sys, %.1f MiB\nratio %.2f (target at most 1)\n", lt, lc, lm/1024, at, ac, am/1024, lt/at}'
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
