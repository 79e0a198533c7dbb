#!/usr/bin/env bash
# Sets up, builds and runs every test (unit, window, command line).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/check_no_qt.sh" "$top"
"$top/scripts/check_layers.sh" "$top"
"$top/scripts/build.sh"
cd "$top/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
