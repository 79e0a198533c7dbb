# Sourced by the comparison scripts: make_kjv writes the King James Bible from Debian's
# bible-kjv-text to $work/kjv.txt once.
make_kjv() {
  if [ ! -s "$work/kjv.txt" ]; then
    command -v bible >/dev/null || { echo "Install Debian's bible-kjv-text first."; exit 1; }
    bible -l80 'Gen1:1-Rev22:21' > "$work/kjv.txt"
  fi
}
