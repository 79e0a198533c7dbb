#!/usr/bin/env bash
# Every core: the 66 books of the King James Bible (one file per book) repeated 10 times in
# 660 files, counted as a folder by lexitally-cli on one thread (LXTY_THREADS=1) and on as many
# as the machine has cores, in one go: median wall times and their ratio (target: at most 0.6
# on two cores). The two reports must be the same, and the script says whether they are.
#
# Usage: bench/compare_threads.sh [RUNS] [EXTRA lexitally-cli OPTIONS...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cli="$top/build/bin/lexitally-cli"
work=/tmp/lexitally-bench
mkdir -p "$work"
runs=${1:-3}
shift || true
extra="$*"
. "$top/bench/kjv.sh"
make_kjv
dir="$work/books660"
if [ ! -d "$dir" ] || [ "$(ls "$dir" | wc -l)" != 660 ]; then
  rm -rf "$dir" && mkdir -p "$dir"
  # A book begins at the heading of its first chapter ("Exodus 1").
  awk -v dir="$dir" 'BEGIN{n=1; prev="Genesis"}
    /^[^ ].* [0-9]+$/ { name=$0; sub(/ [0-9]+$/, "", name); if (name != prev) { n++; prev=name } }
    { print > sprintf("%s/b%02d.txt", dir, n) }' "$work/kjv.txt"
  for r in $(seq -w 1 10); do
    for f in "$dir"/b*.txt; do cp "$f" "$dir/r${r}_$(basename "$f")"; done
  done
  rm "$dir"/b*.txt
fi
[ -x "$cli" ] || { echo "Build first: scripts/build.sh"; exit 1; }
echo "Folder: $dir ($(ls "$dir" | wc -l) files), $(nproc) cores, $runs runs each"
# The two runs alternate, round by round, so that a machine whose speed drifts during the go
# (a shared or virtual one) slows both alike; the ratio is the median of the rounds' ratios.
for _ in $(seq "$runs"); do
  /usr/bin/time -f '%e %M' -o "$work/time1.txt" env LXTY_THREADS=1 "$cli" "$dir" $extra \
    --output "$work/threads1.txt" > /dev/null 2>&1
  /usr/bin/time -f '%e %M' -o "$work/timeN.txt" "$cli" "$dir" $extra \
    --output "$work/threadsN.txt" > /dev/null 2>&1
  echo "$(cat "$work/time1.txt") $(cat "$work/timeN.txt")"
done > "$work/rounds.txt"
if cmp -s "$work/threads1.txt" "$work/threadsN.txt"; then same=yes; else same=NO; fi
awk -v same="$same" '
  function median(v, n,   i, j, t) {
    for (i = 2; i <= n; i++) for (j = i; j > 1 && v[j-1] > v[j]; j--) { t = v[j]; v[j] = v[j-1]; v[j-1] = t }
    return v[int((n + 1) / 2)]
  }
  { n++; o[n] = $1; a[n] = $3; r[n] = $3 / $1; if ($2 > om) om = $2; if ($4 > am) am = $4 }
  END {
    printf "one thread:  %.2f s, %.1f MiB\nall threads: %.2f s, %.1f MiB\n", median(o, n), om/1024, median(a, n), am/1024
    printf "ratio %.2f, median of %d alternating rounds (target at most 0.6); same report: %s\n", median(r, n), n, same
  }' "$work/rounds.txt"
