#!/usr/bin/env bash
# The files that make Lexitally a Linux program agree with the validators and with the program:
# the desktop entry and the AppStream metadata validate, the man pages format without warnings,
# every option of --help is in the man page and the bash completion and the other way round,
# and in the HTML manual,
# and --list-settings lists exactly the fields of the settings record.
# Usage: packaging_test.sh PATH/TO/lexitally-cli SOURCE_DIR
set -uo pipefail
cli=$(realpath "$1")
top=$(realpath "$2")
pkg="$top/packaging"
status=0
failed() { echo "FAIL: $*"; status=1; }

desktop-file-validate "$pkg/example.tarnwell.Lexitally.desktop" || failed "desktop entry"
appstreamcli validate --no-net "$pkg/example.tarnwell.Lexitally.metainfo.xml" > /dev/null ||
  failed "AppStream metadata: $(appstreamcli validate --no-net "$pkg"/*.metainfo.xml)"
for page in "$pkg"/*.1; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 > /dev/null)
  [ -z "$warnings" ] || failed "$(basename "$page"): $warnings"
done

# Long options, one per line, sorted.
options() { grep -oE -- '--[a-z][a-z-]*' | sort -u; }
help=$("$cli" --help | options)
man=$(sed 's/\\-/-/g' "$pkg/lexitally-cli.1" | options)
completion=$(options < "$pkg/lexitally-cli.bash-completion")
[ "$help" = "$man" ] || failed "--help and the man page differ: $(diff <(echo "$help") <(echo "$man"))"
missing=$(comm -23 <(echo "$help") <(options < "$top/data/manual.html"))
[ -z "$missing" ] || failed "the manual lacks: $missing"
[ "$help" = "$completion" ] ||
  failed "--help and the completion differ: $(diff <(echo "$help") <(echo "$completion"))"

# The record's fields as Settings.h declares them (a pair field, std::array<..., 2>, is two).
record=$(sed -n '/^struct Settings {/,/^};/p' "$top/src/settings/Settings.h" |
  sed -nE 's/^    (std::array<[^>]*>|[A-Za-z:0-9_<>]+) ([A-Za-z0-9]+)( =|;|\{| ).*/\1|\2/p' |
  grep -v '^bool operator' |
  while IFS="|" read -r type name; do
    if [[ $type == std::array* ]]; then echo "${name}0"; echo "${name}1"; else echo "$name"; fi
  done | sort)
listed=$("$cli" --list-settings | cut -d= -f1 | sort)
[ "$(echo "$record" | wc -l)" -gt 50 ] || failed "read only $(echo "$record" | wc -l) fields"
[ "$record" = "$listed" ] ||
  failed "--list-settings and the record differ: $(diff <(echo "$record") <(echo "$listed"))"
exit $status
