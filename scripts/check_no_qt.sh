#!/usr/bin/env bash
# Fails when a file of the engine library includes a Qt header: Qt belongs to src/app only.
set -u
top=${1:-$(cd "$(dirname "$0")/.." && pwd)}
hits=$(grep -rnE '#[[:space:]]*include[[:space:]]*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/)' \
  "$top"/src/util "$top"/src/base "$top"/src/settings "$top"/src/sources "$top"/src/engine \
  "$top"/src/reports "$top"/src/phrases "$top"/src/run 2>/dev/null)
if [ -n "$hits" ]; then
  echo "The engine must not include Qt headers:"
  echo "$hits"
  exit 1
fi
echo "No Qt header in the engine."
