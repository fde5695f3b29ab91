#!/usr/bin/env bash
# The program as a user installs it: `cmake --install` into a scratch prefix, and the Debian
# package that CPack makes, unpacked with `dpkg -x` into a scratch root. Each must hold every
# file, a desktop entry that validates and starts the program in its data directory, AppStream
# metainfo that validates, the two icons, a manual page that formats without warnings and names
# every option, and a program that tells its version. The package must pass lintian with neither
# errors nor warnings.
#
# usage: tests/installTest.sh BUILD_DIRECTORY VERSION
set -euo pipefail

build="$1"
version="$2"
scratch="$(mktemp -d /tmp/quilloInstallXXXXXX)"
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The PNG's size and colours as an independent decoder reads them: every chunk's CRC, the zlib
# stream, one filter byte and 3 bytes a pixel per row. The colours are the "Light on Dark"
# background (0,0,16), button (0,38,0), title (63,63,11) and white, each 6-bit level L shown
# as (L * 255 + 31) / 63.
check_icon() {
  python3 - "$1" "$2" <<'EOF'
import struct, sys, zlib
path, size = sys.argv[1], int(sys.argv[2])
data = open(path, "rb").read()
assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
at, chunks = 8, {}
while at < len(data):
    length, kind = struct.unpack(">I4s", data[at:at + 8])
    body = data[at + 8:at + 8 + length]
    assert struct.unpack(">I", data[at + 8 + length:at + 12 + length])[0] == zlib.crc32(kind + body), kind
    chunks[kind] = chunks.get(kind, b"") + body
    at += 12 + length
width, height, depth, colour_type = struct.unpack(">IIBB", chunks[b"IHDR"][:10])
assert (width, height, depth, colour_type) == (size, size, 8, 2), (width, height, depth, colour_type)
raw = zlib.decompress(chunks[b"IDAT"])
assert len(raw) == size * (1 + 3 * size), len(raw)
colours = set()
for y in range(size):
    row = raw[y * (1 + 3 * size):(y + 1) * (1 + 3 * size)]
    assert row[0] == 0, "filtered row"
    colours.update(tuple(row[1 + 3 * x:4 + 3 * x]) for x in range(size))
expected = {(0, 0, 65), (0, 154, 0), (255, 255, 45), (255, 255, 255)}
assert colours == expected, sorted(colours)
EOF
}

check_tree() {
  local root="$1"
  local files=(
    bin/quillo
    share/applications/io.github.quillo.Quillo.desktop
    share/metainfo/io.github.quillo.Quillo.metainfo.xml
    share/icons/hicolor/48x48/apps/quillo.png
    share/icons/hicolor/256x256/apps/quillo.png
    share/man/man1/quillo.1.gz
    share/doc/quillo/README.md
    share/doc/quillo/illegalChar.wav
    share/doc/quillo/copyright
    share/doc/quillo/changelog.gz
  )
  for file in "${files[@]}"; do
    [ -f "$root/$file" ] || fail "$root/$file is missing"
  done
  [ -x "$root/bin/quillo" ] || fail "$root/bin/quillo cannot be run"

  local entry="$root/share/applications/io.github.quillo.Quillo.desktop"
  desktop-file-validate "$entry" || fail "the desktop entry does not validate"

  # The listing a software centre shows: valid, launching the installed desktop entry, of this
  # release.
  local metainfo="$root/share/metainfo/io.github.quillo.Quillo.metainfo.xml"
  appstreamcli validate --no-net "$metainfo" >"$scratch/appstream.log" 2>&1 ||
    fail "the metainfo does not validate: $(cat "$scratch/appstream.log")"
  grep -q "<launchable type=\"desktop-id\">$(basename "$entry")</launchable>" "$metainfo" ||
    fail "the metainfo launches another desktop entry"
  grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo names another release"
  grep -qx 'Exec=quillo --data-dir' "$entry" || fail "the desktop entry starts: $(grep ^Exec "$entry")"
  grep -qx 'Icon=quillo' "$entry" || fail "the desktop entry names another icon"
  # What the listing says the program does: each of its outputs and keys.
  local feature
  for feature in 'CSV or text, a summary' 'an SVG picture' '(F1)' '(F2)' '(F3)'; do
    tr -s ' \n' ' ' <"$metainfo" | grep -qF -- "$feature" ||
      fail "the metainfo's features do not name $feature"
  done

  # The changelog's latest entry is this version's.
  local latest
  latest="$(zcat "$root/share/doc/quillo/changelog.gz" | head -n 1)"
  [[ "$latest" == "quillo ($version) "* ]] || fail "the changelog begins: $latest"

  for size in 48 256; do
    check_icon "$root/share/icons/hicolor/${size}x${size}/apps/quillo.png" "$size" ||
      fail "the ${size}x${size} icon"
  done
  [ "$(head -c 4 "$root/share/doc/quillo/illegalChar.wav")" = RIFF ] || fail "the sound is no wave"

  local page="$scratch/page.txt" warnings="$scratch/warnings.txt"
  zcat "$root/share/man/man1/quillo.1.gz" | groff -man -Tascii -P-cbu -ww >"$page" 2>"$warnings"
  [ ! -s "$warnings" ] || fail "the manual page: $(cat "$warnings")"
  for section in SYNOPSIS WINDOW KEYS OPTIONS SCHEDULE ENVIRONMENT FILES "EXIT STATUS"; do
    grep -q "^$section" "$page" || fail "the manual page has no $section"
  done
  for word in --scale --data-dir --version --help QUILLO_SCALE XDG_DATA_HOME quilloOptions.txt; do
    grep -q -- "$word" "$page" || fail "the manual page does not mention $word"
  done
  # What the page tells of the program's behaviour, read as one text: said, or not said.
  local text said claim
  text="$(zcat "$root/share/man/man1/quillo.1.gz" | groff -man -Tascii -P-cbu -rLL=2000n -rHY=0 |
    tr -s ' \n' ' ')"
  while IFS='|' read -r said claim; do
    if [ "$said" = yes ]; then
      grep -qF -- "$claim" <<<"$text" || fail "the manual page does not say: $claim"
    else
      ! grep -qF -- "$claim" <<<"$text" || fail "the manual page says: $claim"
    fi
  done <<'CLAIMS'
yes|--format svg the chart of F3 as a standalone SVG picture
yes|the same chime, built into the program, plays
no|the program is silent
no|puts into a data directory
yes|nothing copies it into the working directory
yes|at most 16 MB of the clipboard's text are read
yes|within 5 seconds gives nothing
CLAIMS

  # Every subcommand and option a usage line names is in the manual page and in --help.
  local help usage name
  help="$("$root/bin/quillo" --help)" || fail "quillo --help ended with status $?"
  usage="$({ printf '%s\n' "$help"; "$root/bin/quillo" schedule --help; } |
    grep -E '^(usage: | +)quillo ')" || fail "no usage lines"
  for name in $(grep -oE -- '--[a-z][a-z-]*|quillo [a-z]+' <<<"$usage" | sed 's/^quillo //' | sort -u); do
    grep -q -- "$name" "$page" || fail "the manual page does not name $name"
    grep -q -- "$name" <<<"$help" || fail "quillo --help does not name $name"
  done

  local said
  said="$("$root/bin/quillo" --version)" || fail "quillo --version ended with status $?"
  [ "$said" = "quillo $version" ] || fail "quillo --version said \"$said\", not \"quillo $version\""

  # As the desktop menu starts it: the user's data directory is made; without a display the
  # program then ends with status 1.
  local data="$scratch/xdg/quillo" status=0
  rm -rf "$scratch/xdg"
  env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_DATA_HOME="$scratch/xdg" \
    "$root/bin/quillo" --data-dir >"$scratch/run.log" 2>&1 || status=$?
  [ "$status" = 1 ] || fail "quillo --data-dir without a display ended with status $status"
  [ -d "$data" ] || fail "$data was not made"
}

cmake --install "$build" --prefix "$scratch/prefix" >"$scratch/install.log" ||
  fail "cmake --install: $(cat "$scratch/install.log")"
check_tree "$scratch/prefix"

(cd "$build" && cpack -G DEB -B "$scratch/package") >"$scratch/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$scratch/cpack.log")"
deb="$scratch/package/quillo_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb"); cpack made: $(ls "$scratch/package")"
[ "$(dpkg-deb -f "$deb" Package)" = quillo ] || fail "the package's name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version"
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libsdl2-2.0-0 libsdl2-mixer-2.0-0; do
  [[ ", $depends," == *", $library "* || ", $depends," == *", $library,"* ]] ||
    fail "the package does not depend on $library: $depends"
done
lintian --fail-on error,warning "$deb" >"$scratch/lintian.log" 2>&1 ||
  fail "lintian: $(cat "$scratch/lintian.log")"
dpkg -x "$deb" "$scratch/root"
outside="$(cd "$scratch/root" && find . -mindepth 1 -maxdepth 1 ! -name usr)"
[ -z "$outside" ] || fail "the package puts files outside /usr: $outside"
check_tree "$scratch/root/usr"
echo "installed and packaged quillo $version: all files in place"
