#!/usr/bin/env bash
# End-to-end tests of lexitally-cli. Each folder under cases/ is one case:
#   args             the arguments, one per line ({DATA} stands for tests/data, {TMP} for a
#                    fresh temporary folder)
#   stdin            optional: fed to standard input (otherwise standard input is empty)
#   setup            optional: a bash script run in {TMP} first (files git cannot hold)
#   status           the expected exit status
#   stdout           optional: the expected standard output, compared whole
#   stderr           optional: the expected standard error, compared whole
#   stderr_contains  optional: lines that must each occur in standard error
#   file             optional: "NAME" on the first line; the rest is the expected content
#                    of {TMP}/NAME after the run
#   file_ignore      optional: an extended regular expression; lines matching it (a time
#                    stamp, say) are left out of both sides of the file comparison
#
# Two tables hold the cases that are one line each ({TOP} stands for the repository):
#   equivalent.txt   SOURCE | OPTIONS | THE SAME BY --set: both runs must give the same whole
#                    standard output, standard error and status 0, and standard output must
#                    differ from SOURCE counted without options (the option has an effect)
#   usage.txt        ARGUMENTS | MESSAGE: status 2 and exactly "lexitally-cli: MESSAGE" on
#                    standard error
# Arguments in the tables are split at spaces.
# Usage: run_cli_tests.sh PATH/TO/lexitally-cli TESTS_DIR [CASE...]
set -u
cli=$(realpath "$1")
tests=$(realpath "$2")
shift 2
data="$tests/data"
pass=0
fail=0
failed=()
cases=("$@")
if [ ${#cases[@]} -eq 0 ]; then
  for d in "$tests"/cli/cases/*/; do cases+=("$(basename "$d")"); done
fi
for name in "${cases[@]}"; do
  dir="$tests/cli/cases/$name"
  tmp=$(mktemp -d)
  args=()
  if [ -f "$dir/args" ]; then
    while IFS= read -r line || [ -n "$line" ]; do
      [ -z "$line" ] && continue
      line=${line//\{DATA\}/$data}
      line=${line//\{TMP\}/$tmp}
      args+=("$line")
    done < "$dir/args"
  fi
  [ -f "$dir/setup" ] && (cd "$tmp" && bash "$dir/setup")
  if [ -f "$dir/stdin" ]; then
    (cd "$tmp" && "$cli" "${args[@]}" < "$dir/stdin" > "$tmp/.out" 2> "$tmp/.err")
  else
    (cd "$tmp" && "$cli" "${args[@]}" < /dev/null > "$tmp/.out" 2> "$tmp/.err")
  fi
  status=$?
  ok=1
  why=""
  expected_status=$(cat "$dir/status" 2>/dev/null || echo 0)
  if [ "$status" != "$expected_status" ]; then ok=0; why+=" status $status (expected $expected_status);"; fi
  if [ -f "$dir/stdout" ]; then
    sed "s#{DATA}#$data#g; s#{TMP}#$tmp#g" "$dir/stdout" > "$tmp/.want"
    if ! cmp -s "$tmp/.want" "$tmp/.out"; then ok=0; why+=" stdout differs;"; diff "$tmp/.want" "$tmp/.out" | head -20; fi
  fi
  if [ -f "$dir/stderr" ]; then
    sed "s#{DATA}#$data#g; s#{TMP}#$tmp#g" "$dir/stderr" > "$tmp/.wanterr"
    if ! cmp -s "$tmp/.wanterr" "$tmp/.err"; then ok=0; why+=" stderr differs;"; diff "$tmp/.wanterr" "$tmp/.err" | head -20; fi
  fi
  if [ -f "$dir/stderr_contains" ]; then
    while IFS= read -r line || [ -n "$line" ]; do
      [ -z "$line" ] && continue
      line=${line//\{DATA\}/$data}
      grep -qF -- "$line" "$tmp/.err" || { ok=0; why+=" stderr lacks \"$line\";"; }
    done < "$dir/stderr_contains"
  fi
  if [ -f "$dir/file" ]; then
    fname=$(head -n 1 "$dir/file")
    tail -n +2 "$dir/file" | sed "s#{DATA}#$data#g; s#{TMP}#$tmp#g" > "$tmp/.wantfile"
    cp "$tmp/$fname" "$tmp/.gotfile" 2>/dev/null || : > "$tmp/.gotfile"
    if [ -f "$dir/file_ignore" ]; then
      pattern=$(cat "$dir/file_ignore")
      grep -v -E -- "$pattern" "$tmp/.wantfile" > "$tmp/.w2"; mv "$tmp/.w2" "$tmp/.wantfile"
      grep -v -E -- "$pattern" "$tmp/.gotfile" > "$tmp/.g2"; mv "$tmp/.g2" "$tmp/.gotfile"
    fi
    if ! cmp -s "$tmp/.wantfile" "$tmp/.gotfile"; then ok=0; why+=" file $fname differs;"; diff "$tmp/.wantfile" "$tmp/.gotfile" | head -20; fi
  fi
  if [ $ok = 1 ]; then
    pass=$((pass + 1))
  else
    fail=$((fail + 1))
    failed+=("$name")
    echo "FAIL $name:$why"
    echo "  stderr was: $(head -c 600 "$tmp/.err")"
  fi
  rm -rf "$tmp"
done
# One table row: run_row NAME, then the outcome in $ok and $why.
expand() { local t=${1//\{DATA\}/$data}; echo "${t//\{TOP\}/$top}"; }
run_args() { # OUT_PREFIX ARG... ; runs in a fresh folder, stdin empty
  local prefix=$1; shift
  (cd "$tmp" && "$cli" "$@" < /dev/null > "$prefix.out" 2> "$prefix.err"; echo $? > "$prefix.status")
}
record() {
  if [ "$ok" = 1 ]; then pass=$((pass + 1)); else
    fail=$((fail + 1)); echo "FAIL $1:$why"; fi
}
top=$(dirname "$tests")
while IFS='|' read -r source options by_set; do
  [[ -z "$source" || "$source" == \#* ]] && continue
  tmp=$(mktemp -d); ok=1; why=""
  src=$(expand "$(echo $source)")
  read -ra a <<< "$(expand "$options")"
  read -ra b <<< "$(expand "$by_set")"
  run_args "$tmp/.a" "${a[@]}" "$src"; run_args "$tmp/.b" "${b[@]}" "$src"; run_args "$tmp/.0" "$src"
  [ "$(cat "$tmp/.a.status")" = 0 ] || { ok=0; why+=" status $(cat "$tmp/.a.status");"; }
  cmp -s "$tmp/.a.out" "$tmp/.b.out" || { ok=0; why+=" stdout differs from --set's;"; diff "$tmp/.a.out" "$tmp/.b.out" | head -10; }
  cmp -s "$tmp/.a.err" "$tmp/.b.err" || { ok=0; why+=" stderr differs from --set's;"; }
  cmp -s "$tmp/.a.status" "$tmp/.b.status" || { ok=0; why+=" status differs from --set's;"; }
  cmp -s "$tmp/.a.out" "$tmp/.0.out" && { ok=0; why+=" no effect;"; }
  record "equivalent:$options"
  rm -rf "$tmp"
done < "$tests/cli/equivalent.txt"
while IFS='|' read -r arguments message; do
  [[ -z "$arguments" || "$arguments" == \#* ]] && continue
  tmp=$(mktemp -d); ok=1; why=""
  read -ra a <<< "$(expand "$arguments")"
  run_args "$tmp/.u" "${a[@]}"
  want="lexitally-cli: ${message# }"
  [ "$(cat "$tmp/.u.status")" = 2 ] || { ok=0; why+=" status $(cat "$tmp/.u.status");"; }
  [ "$(cat "$tmp/.u.err")" = "$want" ] || { ok=0; why+=" stderr \"$(cat "$tmp/.u.err")\";"; }
  record "usage:$arguments"
  rm -rf "$tmp"
done < "$tests/cli/usage.txt"

echo "cli: $pass passed, $fail failed"
[ $fail -eq 0 ]
