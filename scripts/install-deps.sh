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
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 nsis zip unzip
  lintian
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$p")
  fi
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The Windows build compiles SDL2 and SDL2_mixer from Debian's source packages, which apt fetches
# and verifies only with a source entry. Added once, and only its index is fetched.
SOURCE_LIST=/etc/apt/sources.list.d/quillo-deb-src.sources
if ! apt-cache showsrc libsdl2 2>/dev/null | grep -q '^Package: libsdl2'; then
  if [ ! -f "$SOURCE_LIST" ]; then
    echo "Adding the bookworm source entry: $SOURCE_LIST"
    printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm' \
      'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
      $SUDO tee "$SOURCE_LIST" >/dev/null
  fi
  $SUDO apt-get update -qq -o Dir::Etc::sourcelist="$SOURCE_LIST" -o Dir::Etc::sourceparts=- \
    -o APT::Get::List-Cleanup=0
fi
