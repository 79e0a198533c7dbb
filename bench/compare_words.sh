#!/usr/bin/env bash
# Counts the words of one corpus with lexitally-cli and with the usual shell tools, in one go,
# and prints each one's median wall time, peak memory and ratio to lexitally-cli.
#
# Usage: bench/compare_words.sh [CORPUS] [RUNS]
#   CORPUS  a text file; default: the King James Bible repeated 25 times (about 107 MB),
#           made from Debian's bible-kjv-text in /tmp/lexitally-bench/
#   RUNS    runs per tool (default 3); the median is reported
# Also checks linear growth: lexitally-cli on 1/2.5 of the corpus and on all of it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cli="$top/build/bin/lexitally-cli"
work=/tmp/lexitally-bench
mkdir -p "$work"
runs=${2:-3}

make_kjv() {
  if [ ! -s "$work/kjv.txt" ]; then
    command -v bible >/dev/null || { echo "Install Debian's bible-kjv-text first."; exit 1; }
    bible -l80 'Gen1:1-Rev22:21' > "$work/kjv.txt"
  fi
  if [ ! -s "$work/kjv25.txt" ]; then
    for _ in $(seq 25); do cat "$work/kjv.txt"; done > "$work/kjv25.txt"
  fi
  if [ ! -s "$work/kjv10.txt" ]; then
    for _ in $(seq 10); do cat "$work/kjv.txt"; done > "$work/kjv10.txt"
  fi
}

corpus=${1:-}
default_corpus=0
if [ -z "$corpus" ]; then
  default_corpus=1
  make_kjv
  corpus="$work/kjv25.txt"
fi
[ -x "$cli" ] || { echo "Build first: scripts/build.sh"; exit 1; }

. "$top/bench/measure.sh"

size=$(stat -c %s "$corpus")
echo "Corpus: $corpus ($((size / 1048576)) MiB), $runs runs each"
results=()
results+=("$(measure lexitally-cli "'$cli' '$corpus' --output '$work/out.txt'")")
results+=("$(measure awk "tr -cs 'A-Za-z' '\n' < '$corpus' | awk '{c[tolower(\$0)]++} END{for (w in c) print c[w], w}' | sort -rn")")
results+=("$(measure coreutils "tr -cs 'A-Za-z' '\n' < '$corpus' | tr 'A-Z' 'a-z' | sort | uniq -c | sort -rn")")
results+=("$(measure python-Counter "python3 -c 'import re,sys,collections; c=collections.Counter(); [c.update(re.findall(r\"[a-z]+\", l.lower())) for l in open(sys.argv[1], encoding=\"latin-1\")]; [print(n, w) for w, n in c.most_common()]' '$corpus'")")
results+=("$(measure wc-w "wc -w < '$corpus'")")

base=$(echo "${results[0]}" | awk '{print $2}')
printf '%-16s %10s %12s %14s\n' tool "median s" "peak MiB" "time / lexi"
for r in "${results[@]}"; do
  set -- $r
  awk -v n="$1" -v t="$2" -v m="$3" -v b="$base" \
    'BEGIN{printf "%-16s %10.2f %12.1f %14.2f\n", n, t, m/1024, (b > 0 ? t/b : 0)}'
done
awk_t=$(echo "${results[1]}" | awk '{print $2}')
awk -v b="$base" -v a="$awk_t" 'BEGIN{printf "lexitally-cli / awk = %.2f (target at most 0.40)\n", b/a}'

# (The loop above reset the positional parameters, so the corpus choice was kept apart.)
if [ "$default_corpus" = 1 ]; then
  small=$(measure lexitally-cli-10x "'$cli' '$work/kjv10.txt' --output '$work/out10.txt'")
  st=$(echo "$small" | awk '{print $2}')
  awk -v s="$st" -v b="$base" 'BEGIN{printf "Linear growth: 10x takes %.2f s, 25x takes %.2f s: ratio %.2f for 2.5 times the input (target at most 2.75)\n", s, b, (s > 0 ? b/s : 0)}'
fi
