#!/usr/bin/env bash
# All phrases of 3 to 6 words occurring at least twice, counted by lexitally-cli and by a
# Python collections.Counter of the n-grams (/work/shared/bench/ngrams.py), in one go on the
# same corpus: median wall time, peak memory and the ratios.
#
# Usage: bench/compare_phrases.sh [CORPUS] [RUNS]
#   CORPUS  default: the King James Bible repeated 5 times (about 21 MB) in /tmp/lexitally-bench/
#   RUNS    runs per tool (default 3)
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
  [ -s "$work/kjv5.txt" ] || for _ in 1 2 3 4 5; do cat "$work/kjv.txt"; done > "$work/kjv5.txt"
  corpus="$work/kjv5.txt"
fi
[ -x "$cli" ] || { echo "Build first: scripts/build.sh"; exit 1; }

# The peer, used as it is: a whole-file re.findall of [a-z]+ words and one Counter.update per
# phrase length (LXTY_NGRAMS_PEER names another copy).
peer=${LXTY_NGRAMS_PEER:-/work/shared/bench/ngrams.py}
[ -f "$peer" ] || { echo "The peer $peer is missing."; exit 1; }

. "$top/bench/measure.sh"

size=$(stat -c %s "$corpus")
echo "Corpus: $corpus ($((size / 1048576)) MiB), $runs runs each"
lexi=$(measure lexitally-cli "'$cli' '$corpus' --count phrases --set PhraseLength0=2 --set PhraseLength1=5 --set MinimumFrequency=1 --yes --output '$work/phrases.txt'")
py=$(measure python-Counter "python3 '$peer' '$corpus' '$work/ngrams-out.txt'")
printf '%-16s %10s %12s\n' tool "median s" "peak MiB"
for r in "$lexi" "$py"; do
  set -- $r
  awk -v n="$1" -v t="$2" -v m="$3" 'BEGIN{printf "%-16s %10.2f %12.1f\n", n, t, m/1024}'
done
set -- $lexi; lt=$2; lm=$3
set -- $py; pt=$2; pm=$3
awk -v lt="$lt" -v pt="$pt" -v lm="$lm" -v pm="$pm" \
  'BEGIN{printf "time ratio %.2f (target at most 0.15), memory ratio %.2f (target at most 0.25)\n", lt/pt, lm/pm}'
