#!/usr/bin/env bash
# All phrases of 3 to 6 words occurring at least twice, counted by lexitally-cli and by a
# Python collections.Counter of the same n-grams, in one go on the same corpus: median wall
# time, peak memory and the ratios.
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

cat > "$work/ngrams.py" <<'PY'
# Phrases of 3 to 6 words, occurring at least twice; a phrase does not go beyond a period,
# a double quote or a tab, as lexitally's default phrase boundaries say.
import collections, re, sys
counts = collections.Counter()
word = re.compile(r"[a-z][a-z-]*")
for line in open(sys.argv[1], encoding="latin-1"):
    for piece in re.split(r'[."\t]', line.lower()):
        words = word.findall(piece)
        for n in range(3, 7):
            for i in range(len(words) - n + 1):
                counts[" ".join(words[i:i + n])] += 1
kept = [(c, p) for p, c in counts.items() if c >= 2]
kept.sort(key=lambda x: (-x[0], x[1]))
for c, p in kept:
    print(c, p)
PY

. "$top/bench/measure.sh"

size=$(stat -c %s "$corpus")
echo "Corpus: $corpus ($((size / 1048576)) MiB), $runs runs each"
lexi=$(measure lexitally-cli "'$cli' '$corpus' --count phrases --set PhraseLength0=2 --set PhraseLength1=5 --set MinimumFrequency=1 --yes --output '$work/phrases.txt'")
py=$(measure python-Counter "python3 '$work/ngrams.py' '$corpus'")
printf '%-16s %10s %12s\n' tool "median s" "peak MiB"
for r in "$lexi" "$py"; do
  set -- $r
  awk -v n="$1" -v t="$2" -v m="$3" 'BEGIN{printf "%-16s %10.2f %12.1f\n", n, t, m/1024}'
done
set -- $lexi; lt=$2; lm=$3
set -- $py; pt=$2; pm=$3
awk -v lt="$lt" -v pt="$pt" -v lm="$lm" -v pm="$pm" \
  'BEGIN{printf "time ratio %.2f (target at most 0.20), memory ratio %.2f (target at most 0.50)\n", lt/pt, lm/pm}'
