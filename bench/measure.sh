# Sourced by the comparison scripts. measure NAME COMMAND... runs the command $runs times
# (timings in $work) and prints "NAME median-seconds peak-KiB".
measure() {
  local name=$1; shift
  local times=() mems=()
  for _ in $(seq "$runs"); do
    /usr/bin/time -f '%e %M' -o "$work/time.txt" bash -c "$*" > /dev/null 2>&1
    read -r t m < "$work/time.txt"
    times+=("$t"); mems+=("$m")
  done
  local mt mm
  mt=$(printf '%s\n' "${times[@]}" | sort -g | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}')
  mm=$(printf '%s\n' "${mems[@]}" | sort -g | tail -n 1)
  echo "$name $mt $mm"
}
