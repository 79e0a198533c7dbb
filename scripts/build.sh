#!/usr/bin/env bash
# Configures and builds Lexitally into build/ (programs in build/bin).
# Usage: scripts/build.sh [TARGET...]   (no target: everything, tests included)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$top/build" -j"$(nproc)" "${targets[@]}"
