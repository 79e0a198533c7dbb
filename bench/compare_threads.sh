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
. "$top/bench/measure.sh"
echo "Folder: $dir ($(ls "$dir" | wc -l) files), $(nproc) cores, $runs runs each"
one=$(measure one-thread "LXTY_THREADS=1 '$cli' '$dir' $extra --output '$work/threads1.txt'")
all=$(measure all-threads "'$cli' '$dir' $extra --output '$work/threadsN.txt'")
set -- $one; ot=$2; om=$3
set -- $all; nt=$2; nm=$3
if cmp -s "$work/threads1.txt" "$work/threadsN.txt"; then same=yes; else same=NO; fi
awk -v ot="$ot" -v nt="$nt" -v om="$om" -v nm="$nm" -v same="$same" 'BEGIN{
  printf "one thread:  %.2f s, %.1f MiB\nall threads: %.2f s, %.1f MiB\nratio %.2f (target at most 0.6); same report: %s\n", ot, om/1024, nt, nm/1024, nt/ot, same}'
