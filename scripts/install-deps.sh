#!/usr/bin/env bash
# Installs what Quillo needs to build, run and test on Debian 12.
# Idempotent: asks apt-get only for the packages that are missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake make pkg-config
  libsdl2-dev libsdl2-mixer-dev
  console-data
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  xvfb xauth xdotool x11-apps xclip libx11-dev libxtst6
  python3 time procps
  desktop-file-utils appstream dpkg-dev file groff-base
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
