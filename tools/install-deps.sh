#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Quick when everything is already there: dpkg is asked first, apt only when
# something is missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-svg-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-liberation clang-format libmuparser-dev
  xvfb xauth
  desktop-file-utils libxml2-utils shared-mime-info dpkg-dev file appstream
  python3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
