#!/usr/bin/env bash
# A count-only run with 1,000 plain entries and 50 patterns against the all-words run, on the
# same corpus, in one go: median wall times and their ratio (target: at most 2).
#
# Usage: bench/compare_count_only.sh [CORPUS] [RUNS]
#   CORPUS  default: the King James Bible repeated 25 times (about 107 MB) in /tmp/lexitally-bench/
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cli="$top/build/bin/lexitally-cli"
work=/tmp/lexitally-bench
mkdir -p "$work"
runs=${2:-3}
corpus=${1:-}
if [ -z "$corpus" ]; then
  if [ ! -s "$work/kjv.txt" ]; then
    command -v bible >/dev/null || { echo "Install Debian's bible-kjv-text first."; exit 1; }
    bible -l80 'Gen1:1-Rev22:21' > "$work/kjv.txt"
  fi
  [ -s "$work/kjv25.txt" ] || for _ in $(seq 25); do cat "$work/kjv.txt"; done > "$work/kjv25.txt"
  corpus="$work/kjv25.txt"
fi
[ -x "$cli" ] || { echo "Build first: scripts/build.sh"; exit 1; }

# The list: 1,000 words of the text itself (every third word of its alphabetical word list,
# so both frequent and rare words are in it) and 50 patterns.
list="$work/count-only.txt"
"$cli" "$work/kjv.txt" --set WordOrder=1 --set DisplayFormat=8 --set IgnoreShortWords=0 \
  --output "$work/kjv-words.txt" 2>/dev/null
tr -d '\r' < "$work/kjv-words.txt" | grep -E '^[a-z]+$' | awk 'NR % 3 == 0 && n < 1000 { print; n++ }' > "$list"
for stem in ing eth est ed ly ness ment ful less able ous ive tion ance ence er or ist ism ship age; do
  echo "<[a-z]+$stem>"
done >> "$list"
for start in un re in dis over under out fore be with for pre pro sub trans inter mis non anti; do
  echo "<$start[a-z]+>"
done >> "$list"
for mid in ght ould ea oo ee th sh ch ck qu; do
  echo "<[a-z]*$mid[a-z]*>"
done >> "$list"
echo "List: $(grep -vc '^<' "$list") plain entries, $(grep -c '^<' "$list") patterns"

. "$top/bench/measure.sh"
all=$(measure all-words "'$cli' '$corpus' --output '$work/all.txt'")
only=$(measure count-only "'$cli' '$corpus' --count specified --set PatternMatchingInCountOnlyWordsFile=1 --set WordsFile1='$list' --yes --output '$work/only.txt'")
set -- $all; at=$2; am=$3
set -- $only; ot=$2; om=$3
awk -v at="$at" -v ot="$ot" -v am="$am" -v om="$om" 'BEGIN{
  printf "all words:  %.2f s, %.1f MiB\ncount-only: %.2f s, %.1f MiB\nratio %.2f (target at most 2)\n", at, am/1024, ot, om/1024, ot/at}'
