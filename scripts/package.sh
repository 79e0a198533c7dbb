#!/usr/bin/env bash
# Builds the Debian package of Lexitally with CPack from build/ (building what is missing) and
# prints its path. Usage: scripts/package.sh
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/build.sh" lexitally lexitally-cli lxty_man lxty_data > /dev/null
cd "$top/build"
rm -f package/*.deb
cpack -G DEB > package.log 2>&1 || { cat package.log; exit 1; }
ls "$top"/build/package/*.deb
