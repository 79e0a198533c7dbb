#!/usr/bin/env bash
# Builds the engine's unit tests and lexitally-cli with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-sanitize/ and runs them (no window program, no window
# tests). Any sanitizer report fails the run.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build-sanitize"
# -O1 and line tables only: the build is most of the time on a CI machine, and a report needs
# file and line, not variables.
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLXTY_SANITIZE=ON \
      -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1" \
      -DLXTY_BUILD_GUI=OFF -DLXTY_BUILD_TESTS=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --output-on-failure -j"$(nproc)"
