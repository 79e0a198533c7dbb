#!/usr/bin/env bash
# Sets up, builds and runs every test (unit, window, command line).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/check_no_qt.sh" "$top"
"$top/scripts/check_layers.sh" "$top"
"$top/scripts/check_format.sh" "$top"
"$top/scripts/build.sh"
cd "$top/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
# The Debian package builds and holds both programs.
deb=$("$top/scripts/package.sh")
contents=$(dpkg-deb -c "$deb")
grep -q '/usr/bin/lexitally-cli$' <<< "$contents" || { echo "$deb lacks lexitally-cli"; exit 1; }
echo "package: $deb"
