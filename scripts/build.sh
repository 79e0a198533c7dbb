#!/usr/bin/env bash
# Configures and builds Lexitally into build/ (programs in build/bin). A new build folder is
# configured RelWithDebInfo; an existing one keeps the build type it was configured with.
# Usage: scripts/build.sh [TARGET...]   (no target: everything, tests included)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
type_option=()
[ -f "$top/build/CMakeCache.txt" ] || type_option=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
cmake -S "$top" -B "$top/build" "${type_option[@]}" >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$top/build" -j"$(nproc)" "${targets[@]}"
