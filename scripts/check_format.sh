#!/usr/bin/env bash
# Fails when a C++ file under src/, tests/ or bench/ is not formatted as .clang-format says
# (clang-format 14, Debian package clang-format). Prints the files that are not.
set -u
top=${1:-$(cd "$(dirname "$0")/.." && pwd)}
formatter=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$formatter" ]; then
  echo "check_format: clang-format is not installed (scripts/setup.sh installs it)" >&2
  exit 1
fi
cd "$top" || exit 1
bad=0
while IFS= read -r -d '' file; do
  if ! "$formatter" --style=file --dry-run -Werror "$file" >/dev/null 2>&1; then
    echo "not formatted: $file"
    bad=1
  fi
done < <(find src tests bench -type f \( -name '*.cpp' -o -name '*.h' \) -not -path 'tests/data/*' -print0 | sort -z)
[ $bad -eq 0 ] && echo "check_format: every file is formatted"
exit $bad
