#!/usr/bin/env bash
# Cross-builds the libraries the Windows program links with into PREFIX: SDL2 and SDL2_mixer
# (WAV only) from Debian's source packages, GoogleTest from /usr/src/googletest. Each library is
# built once; its stamp file in PREFIX makes a later run skip it.
#   scripts/buildWindowsDeps.sh BUILD_DIR      (PREFIX is BUILD_DIR/deps/prefix)
set -euo pipefail

BUILD_DIR=$(realpath -m "$1")
DEPS=$BUILD_DIR/deps
PREFIX=$DEPS/prefix
HOST=x86_64-w64-mingw32
JOBS=${JOBS:-$(nproc)}
TOOLCHAIN=$(realpath "$(dirname "$0")/../cmake/mingw64.cmake")
mkdir -p "$DEPS/src" "$PREFIX"

LAUNCHER=""
if command -v ccache >/dev/null; then LAUNCHER="ccache "; fi
export PKG_CONFIG_LIBDIR=$PREFIX/lib/pkgconfig PKG_CONFIG_PATH=""

# apt-get source fetches, verifies and unpacks PACKAGE-VERSION; prints that folder.
fetch() {
  local package=$1
  if ! compgen -G "$DEPS/src/$package-[0-9]*/" >/dev/null; then
    (cd "$DEPS/src" && apt-get source -qq "$package" 2>&1 >/dev/null | grep -v unsandboxed >&2 || true)
  fi
  local folder
  folder=$(compgen -G "$DEPS/src/$package-[0-9]*/" | head -n 1)
  if [ -z "$folder" ]; then
    echo "apt-get source $package failed; scripts/install-deps.sh adds the source entry it needs" >&2
    exit 1
  fi
  echo "${folder%/}"
}

build_autotools() {
  local name=$1 source=$2
  shift 2
  rm -rf "$DEPS/build-$name"
  mkdir -p "$DEPS/build-$name"
  (cd "$DEPS/build-$name" &&
    CC="${LAUNCHER}$HOST-gcc-posix" "$source/configure" --host=$HOST --prefix="$PREFIX" --enable-shared --disable-static "$@" \
      >configure.log 2>&1 &&
    make -j "$JOBS" >make.log 2>&1 && make install >install.log 2>&1) || {
    echo "building $name failed; logs in $DEPS/build-$name" >&2
    tail -n 30 "$DEPS/build-$name"/*.log >&2
    exit 1
  }
}

build_cmake() {
  local name=$1 source=$2
  shift 2
  rm -rf "$DEPS/build-$name"
  (cmake -S "$source" -B "$DEPS/build-$name" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DQUILLO_WINDOWS_PREFIX="$PREFIX" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DCMAKE_PREFIX_PATH="$PREFIX" -DCMAKE_C_COMPILER_LAUNCHER="${LAUNCHER% }" \
    -DCMAKE_CXX_COMPILER_LAUNCHER="${LAUNCHER% }" "$@" >"$DEPS/$name-configure.log" 2>&1 &&
    cmake --build "$DEPS/build-$name" -j "$JOBS" >"$DEPS/$name-build.log" 2>&1 &&
    cmake --install "$DEPS/build-$name" >"$DEPS/$name-install.log" 2>&1) || {
    echo "building $name failed; logs in $DEPS/$name-*.log" >&2
    tail -n 30 "$DEPS/$name"-*.log >&2
    exit 1
  }
}

if [ ! -f "$PREFIX/.sdl2.stamp" ]; then
  echo "Cross-building SDL2 (once per build folder)"
  SECONDS=0
  source=$(fetch libsdl2)
  build_autotools sdl2 "$source"
  cp "$source/LICENSE.txt" "$PREFIX/SDL2-LICENSE.txt"
  touch "$PREFIX/.sdl2.stamp"
  echo "SDL2 built in $SECONDS s"
fi

if [ ! -f "$PREFIX/.sdl2mixer.stamp" ]; then
  echo "Cross-building SDL2_mixer with WAV only (once per build folder)"
  SECONDS=0
  source=$(fetch libsdl2-mixer)
  # Debian's source has no generated configure script: its CMake build, every codec but WAV off.
  build_cmake sdl2mixer "$source" -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_CMD=OFF \
    -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MP3=OFF -DSDL2MIXER_MIDI=OFF \
    -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=OFF -DSDL2MIXER_WAVE=ON -DSDL2MIXER_VENDORED=OFF
  cp "$source/LICENSE.txt" "$PREFIX/SDL2_mixer-LICENSE.txt"
  touch "$PREFIX/.sdl2mixer.stamp"
  echo "SDL2_mixer built in $SECONDS s"
fi

if [ ! -f "$PREFIX/.gtest.stamp" ]; then
  echo "Cross-building GoogleTest (once per build folder)"
  SECONDS=0
  build_cmake gtest /usr/src/googletest -DBUILD_GMOCK=ON
  touch "$PREFIX/.gtest.stamp"
  echo "GoogleTest built in $SECONDS s"
fi
