#!/usr/bin/env bash
# Installs what Kovra needs to build, run and test on Debian 12.
# Idempotent: when everything is there it only checks and returns.
set -euo pipefail

packages=(
  g++ make cmake
  qt6-base-dev libgl-dev
  qt6-svg-dev             # Export PNG draws an opened problem from its SVG diagram
  libgtest-dev libgmock-dev
  fonts-vlgothic          # covers the half-width katakana of the status bar
  xvfb xauth              # a display for the window on a headless machine
  libxml2-utils           # xmllint: the SVG diagram test parses it as XML
)
if [ "${KOVRA_FUZZ:-0}" = 1 ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
