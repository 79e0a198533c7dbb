#!/usr/bin/env bash
# Installs the build into a fresh prefix and runs the installed lexitally-cli on the installed
# sample text: it must find its data in share/lexitally and count as the build's program does.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(realpath "$1")
top=$(realpath "$2")
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > "$prefix/install.log"

status=0
for f in bin/lexitally-cli share/lexitally/lxty.dat share/lexitally/sample.txt \
         share/lexitally/cwds_en.txt share/man/man1/lexitally-cli.1.gz \
         share/bash-completion/completions/lexitally-cli; do
  [ -f "$prefix/$f" ] || { echo "not installed: $f"; status=1; }
done
if grep -q '^LXTY_BUILD_GUI:BOOL=ON' "$build/CMakeCache.txt"; then
  for f in bin/lexitally share/man/man1/lexitally.1.gz \
           share/applications/example.tarnwell.Lexitally.desktop \
           share/metainfo/example.tarnwell.Lexitally.metainfo.xml \
           share/icons/hicolor/scalable/apps/lexitally.svg; do
    [ -f "$prefix/$f" ] || { echo "not installed: $f"; status=1; }
  done
fi
# Nothing lies beside the installed program: the catalogue and the common words come from
# share/lexitally, or the run would complain on standard error and count differently.
[ ! -e "$prefix/bin/lxty.dat" ] || { echo "data files beside the installed program"; status=1; }
(cd "$prefix/share/lexitally" && "$prefix/bin/lexitally-cli" --set CommonWordsLanguages=0 \
    sample.txt > "$prefix/installed.out" 2> "$prefix/installed.err") || {
  echo "installed lexitally-cli failed"; status=1; }
(cd "$top/data" && "$build/bin/lexitally-cli" --set CommonWordsLanguages=0 sample.txt \
    > "$prefix/built.out" 2> "$prefix/built.err")
if ! cmp -s "$prefix/installed.err" "$prefix/built.err"; then
  echo "installed lexitally-cli said:"; cat "$prefix/installed.err"; status=1
fi
if [ ! -s "$prefix/installed.out" ] || ! cmp -s "$prefix/installed.out" "$prefix/built.out"; then
  echo "installed and built lexitally-cli count differently:"
  diff "$prefix/built.out" "$prefix/installed.out" | head -20
  status=1
fi
exit $status
