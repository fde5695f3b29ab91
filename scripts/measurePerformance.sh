#!/usr/bin/env bash
# Measures the real program under Xvfb: the time to its first frame and its CPU use while idle
# (measureIdle.py), then its peak memory under /usr/bin/time over a run that types a loan whose
# payment only covers the interest, runs its 12000-month schedule with Ctrl+Page Down, and ends
# with Escape.
#
# usage: scripts/measurePerformance.sh [QUILLO_BINARY] [idle seconds] [runs] [scale] [OTHER_BINARY]
# OTHER_BINARY, another build of the program, is measured side by side with the first one.
# At a scale N the program runs with --scale N on a screen of 640N by 480N, which it fills.
# Build the binary first, e.g.
#   cmake -S . -B build-rel -DCMAKE_BUILD_TYPE=Release -DQUILLO_TESTS=OFF
#   cmake --build build-rel -j2 --target quillo
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
binary="$(realpath "${1:-build-rel/quillo}")"
idle_seconds="${2:-10}"
runs="${3:-3}"
scale="${4:-1}"
other="${5:+$(realpath "$5")}"

echo "== first frame, idle wakeups and CPU, key to screen"
python3 "$here/measureIdle.py" "$binary" ${other:+"$other"} --seconds "$idle_seconds" --runs "$runs" \
  --scales "1,$scale"

echo "== peak memory"
workdir="$(mktemp -d /tmp/quilloPeakXXXXXX)"
trap 'rm -rf "$workdir"' EXIT

# Runs inside the private X server that xvfb-run starts.
cat >"$workdir/drive.sh" <<'EOF'
set -euo pipefail
cd "$WORKDIR"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORKDIR/audio.raw" \
  /usr/bin/time -f "%M" -o "$WORKDIR/peak.txt" "$BINARY" --scale "$SCALE" 2>"$WORKDIR/program.err" &
timer=$!
program=""
for _ in $(seq 100); do
  program="$(pgrep -P "$timer" || true)"
  [ -n "$program" ] && break
  sleep 0.05
done
window="$(xdotool search --sync --onlyvisible --pid "$program" | head -n 1)"
sleep 1  # the titles and fields are drawn
xdotool type --window "$window" --delay 15 250000
xdotool key --window "$window" Tab
xdotool type --window "$window" --delay 15 6
xdotool key --window "$window" Tab
xdotool type --window "$window" --delay 15 1250
xdotool key --window "$window" Return Return
sleep 0.5
xdotool key --window "$window" ctrl+Next
sleep 1
xwd -root -silent >"$WORKDIR/end.xwd"
xdotool key --window "$window" Escape
wait "$timer"
EOF

WORKDIR="$workdir" BINARY="$binary" SCALE="$scale" \
  xvfb-run -a -s "-screen 0 $((640 * scale))x$((480 * scale))x24" bash "$workdir/drive.sh"
if [ -n "${KEEP_SCREENSHOT:-}" ]; then
  python3 "$here/xwdToPng.py" "$workdir/end.xwd" "$KEEP_SCREENSHOT"
fi
echo "peak resident memory: $(($(cat "$workdir/peak.txt") / 1024)) MB ($(cat "$workdir/peak.txt") kB)"
