#!/usr/bin/env bash
# Sets up, builds and starts Lexitally. Without a display it says so and counts the
# bundled sample text with the command-line program instead.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh" lexitally lexitally-cli > /dev/null
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "The Lexitally window needs a display; counting the bundled sample text with lexitally-cli instead."
  exec "$top/build/bin/lexitally-cli" "$top/data/sample.txt"
fi
exec "$top/build/bin/lexitally" "$@"
