#!/usr/bin/env bash
# Installs the Debian packages Lexitally needs, only those that are missing.
set -euo pipefail
packages=(build-essential cmake pkg-config qt6-base-dev qt6-qpa-plugins libpcre2-dev libzip-dev
          libgtest-dev libgmock-dev libbenchmark-dev desktop-file-utils appstream man-db
          clang-format clang libclang-rt-14-dev qt6-charts-dev qt6-svg-dev bible-kjv
          bible-kjv-text)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q "${missing[@]}"
fi
