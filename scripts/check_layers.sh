#!/usr/bin/env bash
# Fails when a module includes a module above it. The engine modules form one chain, from the
# bottom up; a module may include only itself and the modules before it. The two programs sit
# on top: the window program (app) and the command line (cli) may include every engine module
# but not each other. Unit tests under tests/unit/<module> follow their module's rule.
set -u
top=${1:-$(cd "$(dirname "$0")/.." && pwd)}
chain=(util base settings sources engine reports phrases run)

rank() { # prints the position of a module in the chain, or nothing
  local i
  for i in "${!chain[@]}"; do [ "${chain[$i]}" = "$1" ] && echo "$i" && return; done
}

# Prints "file:line: module -> included" for each include that climbs.
check_dir() { # module folder
  local mod=$1 dir=$2 own
  own=$(rank "$mod")
  [ -d "$dir" ] || return 0
  grep -rnoE '#[[:space:]]*include[[:space:]]*"[a-z]+/' "$dir" --include='*.h' --include='*.cpp' |
    while IFS= read -r hit; do
      used=$(echo "$hit" | sed -E 's/.*"([a-z]+)\/$/\1/')
      [ "$used" = "$mod" ] && continue
      r=$(rank "$used")
      if [ -n "$own" ]; then
        { [ -z "$r" ] || [ "$r" -gt "$own" ]; } && echo "${hit%%:#*}: $mod -> $used"
      else # app or cli: any engine module, not the other program
        [ -z "$r" ] && echo "${hit%%:#*}: $mod -> $used"
      fi
    done
}

climbs=$(
  for mod in "${chain[@]}" app cli; do
    check_dir "$mod" "$top/src/$mod"
    check_dir "$mod" "$top/tests/unit/$mod"
  done
  for dir in "$top"/src/* "$top"/tests/unit/*; do
    [ -d "$dir" ] || continue
    name=$(basename "$dir")
    case " ${chain[*]} app cli " in *" $name "*) ;; *) echo "$dir: not a module of the chain" ;; esac
  done
)
if [ -n "$climbs" ]; then
  echo "These includes climb the chain of modules (${chain[*]}, then app and cli):"
  echo "$climbs"
  exit 1
fi
echo "Every module includes only the modules below it."
