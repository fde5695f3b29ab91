#!/usr/bin/env python3
"""Measures the real program under Xvfb, and a second build of it side by side in the same run:

- first frame: time from start to the first frame that shows the titles;
- wakeups a second while idle with the loan amount's cursor blinking, and with no cursor shown
  (the window has lost the focus): voluntary and involuntary context switches of every thread
  (/proc/PID/task/*/status) over the idle period;
- idle CPU with the cursor blinking, at scale 1 and at each further scale asked for: the run time
  of every thread (/proc/PID/task/*/schedstat, nanoseconds) as a share of one core;
- key to screen: a key press is sent to the X server (XTest) and the field's first cell is read
  back from the server (XGetImage) until its pixels change; the median and 95th percentile over
  the keys, "1" and BackSpace in turn, at random moments.

usage: measureIdle.py BINARY [OTHER_BINARY] [--seconds 20] [--keys 200] [--runs 1] [--scales 1,3]

Each run measures BINARY and then OTHER_BINARY, step by step, so that both see the same load.
"""
import argparse
import ctypes
import glob
import os
import random
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

# The title colour of "Dark on Light" (0, 0, 39 levels) as the X server shows it.
TITLE_RGB = (0, 0, (39 * 255 + 31) // 63)
# The loan amount field's first cell: row 4, column 19 of the 8 by 16 grid. Its two lowest pixel
# lines, where the cursor's caret blinks, are left out.
FIELD_CELL = (18 * 8, 3 * 16, 8, 13)


def start_display(scale):
    for number in range(90, 190):
        if os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
            continue
        read_end, write_end = os.pipe()
        server = subprocess.Popen(
            ["Xvfb", f":{number}", "-screen", "0", f"{640 * scale}x{480 * scale}x24",
             "-nolisten", "tcp", "-noreset", "-displayfd", str(write_end)],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        # Xvfb writes the number again whenever it resets; -noreset avoids that, and the pipe
        # stays open all the same, so that a late write cannot kill the server.
        ready, _, _ = select.select([read_end], [], [], 15)
        answer = os.read(read_end, 16) if ready else b""
        if answer.strip():
            return server, f":{number}"
        os.close(read_end)
        server.kill()
        server.wait()
    sys.exit("no free X display")


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_uint8)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


class X:
    def __init__(self, display):
        xlib = ctypes.cdll.LoadLibrary("libX11.so.6")
        xlib.XOpenDisplay.restype = ctypes.c_void_p
        xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        xlib.XDefaultRootWindow.restype = ctypes.c_ulong
        xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        xlib.XGetImage.restype = ctypes.POINTER(XImage)
        xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                   ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        xlib.XFree.argtypes = [ctypes.c_void_p]
        xlib.XStringToKeysym.restype = ctypes.c_ulong
        xlib.XStringToKeysym.argtypes = [ctypes.c_char_p]
        xlib.XKeysymToKeycode.restype = ctypes.c_ubyte
        xlib.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        xlib.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                        ctypes.c_ulong]
        xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        xtst = ctypes.cdll.LoadLibrary("libXtst.so.6")
        xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                           ctypes.c_ulong]
        self.xlib, self.xtst = xlib, xtst
        self.connection = xlib.XOpenDisplay(display.encode())
        if not self.connection:
            sys.exit(f"cannot open {display}")
        self.root = xlib.XDefaultRootWindow(self.connection)

    def grab(self, left, top, width, height):
        """The rectangle's pixels as the server holds them, 4 bytes each, or None."""
        all_planes, z_pixmap = 0xffffffff, 2
        image = self.xlib.XGetImage(self.connection, self.root, left, top, width, height,
                                    all_planes, z_pixmap)
        if not image:
            return None
        if image.contents.bits_per_pixel != 32:
            self.xlib.XFree(image.contents.data)
            self.xlib.XFree(image)
            return None
        line_bytes = image.contents.bytes_per_line
        raw = ctypes.string_at(image.contents.data, line_bytes * height)
        self.xlib.XFree(image.contents.data)
        self.xlib.XFree(image)
        return b"".join(raw[y * line_bytes:y * line_bytes + width * 4] for y in range(height))

    def keycode(self, name):
        return self.xlib.XKeysymToKeycode(self.connection, self.xlib.XStringToKeysym(name.encode()))

    def key(self, code, pressed):
        self.xtst.XTestFakeKeyEvent(self.connection, code, 1 if pressed else 0, 0)
        self.xlib.XSync(self.connection, 0)

    def focus_root(self):
        revert_to_pointer_root, current_time = 1, 0
        self.xlib.XSetInputFocus(self.connection, self.root, revert_to_pointer_root, current_time)
        self.xlib.XSync(self.connection, 0)


def title_shown(x, scale):
    # Only row 1 of the grid, columns 35-44 ("QUILLO 2.1"), is read, straight from the server:
    # a screenshot of a whole screen 3 times as large would take longer than the start-up.
    shot = x.grab(34 * 8 * scale, 0, 10 * 8 * scale, 16 * scale)
    if shot is None:
        return False
    # Pixels are 4 bytes: blue, green, red, pad.
    ink = bytes((TITLE_RGB[2], TITLE_RGB[1], TITLE_RGB[0]))
    found = shot.find(ink)
    while found >= 0 and found % 4:
        found = shot.find(ink, found + 1)
    return found >= 0


def threads(pid):
    return glob.glob(f"/proc/{pid}/task/*")


def context_switches(pid):
    total = 0
    for task in threads(pid):
        try:
            for line in open(f"{task}/status"):
                if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                    total += int(line.split()[1])
        except OSError:
            pass  # the thread ended meanwhile
    return total


def cpu_ns(pid):
    total = 0
    for task in threads(pid):
        try:
            total += int(open(f"{task}/schedstat").read().split()[0])
        except OSError:
            pass
    return total


class Program:
    def __init__(self, binary, display, x, scale):
        self.workdir = tempfile.mkdtemp(prefix="quillo-measure-")
        env = {**os.environ, "DISPLAY": display, "SDL_AUDIODRIVER": "disk",
               "SDL_DISKAUDIOFILE": os.path.join(self.workdir, "audio.raw")}
        began = time.monotonic()
        self.process = subprocess.Popen([binary, "--scale", str(scale)], cwd=self.workdir, env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        while not title_shown(x, scale):
            time.sleep(0.002)
            if self.process.poll() is not None or time.monotonic() - began > 20:
                self.close()
                sys.exit("the program showed no titles; it said: " +
                         self.process.communicate()[1].decode(errors="replace")[-2000:])
        self.first_frame = time.monotonic() - began
        time.sleep(1)  # let start-up work settle

    def idle(self, seconds):
        """Wakeups a second and the share of a core over `seconds` of doing nothing."""
        pid = self.process.pid
        switches, ns, began = context_switches(pid), cpu_ns(pid), time.monotonic()
        time.sleep(seconds)
        elapsed = time.monotonic() - began
        return ((context_switches(pid) - switches) / elapsed,
                (cpu_ns(pid) - ns) / 1e9 / elapsed * 100)

    def close(self):
        self.process.kill()
        self.process.wait()
        shutil.rmtree(self.workdir, ignore_errors=True)


def key_to_screen(x, keys, rng):
    """Milliseconds from each key press reaching the server until the field's cell changed."""
    codes = [x.keycode("1"), x.keycode("BackSpace")]
    delays = []
    before = x.grab(*FIELD_CELL)
    for n in range(keys):
        time.sleep(rng.uniform(0.03, 0.09))  # a random moment of the program's own rhythm
        code = codes[n % 2]
        sent = time.monotonic()
        x.key(code, True)
        while True:
            now = x.grab(*FIELD_CELL)
            if now != before:
                delays.append((time.monotonic() - sent) * 1000)
                before = now
                break
            if time.monotonic() - sent > 2:
                sys.exit("a key changed nothing on the screen within 2 s")
            time.sleep(0.0002)
        x.key(code, False)
    return delays


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(share * (len(ordered) - 1))))]


def measure_run(binaries, args, rng):
    results = {binary: {} for binary in binaries}
    server, display = start_display(1)
    try:
        x = X(display)
        for binary in binaries:
            got = results[binary]
            program = Program(binary, display, x, 1)
            try:
                got["first frame"] = program.first_frame * 1000
                got["wakeups blinking"], got["cpu scale 1"] = program.idle(args.seconds)
                delays = key_to_screen(x, args.keys, rng)
                got["key median"] = statistics.median(delays)
                got["key p95"] = percentile(delays, 0.95)
                x.focus_root()
                time.sleep(1)
                got["wakeups no cursor"], _ = program.idle(args.seconds)
            finally:
                program.close()
    finally:
        server.terminate()
        server.wait()
    for scale in args.scales[1:]:
        server, display = start_display(scale)
        try:
            x = X(display)
            for binary in binaries:
                program = Program(binary, display, x, scale)
                try:
                    _, results[binary][f"cpu scale {scale}"] = program.idle(args.seconds)
                finally:
                    program.close()
        finally:
            server.terminate()
            server.wait()
    return results


def report(binaries, results, args):
    rows = [("first frame, ms", "first frame", "{:.0f}"),
            ("wakeups/s, idle, cursor blinking (all threads)", "wakeups blinking", "{:.1f}"),
            ("wakeups/s, idle, no cursor shown (all threads)", "wakeups no cursor", "{:.1f}")]
    rows += [(f"idle CPU, scale {s}, % of a core", f"cpu scale {s}", "{:.3f}") for s in args.scales]
    rows += [(f"key to screen, median of {args.keys}, ms", "key median", "{:.1f}"),
             (f"key to screen, 95th percentile of {args.keys}, ms", "key p95", "{:.1f}")]
    names = [os.path.relpath(b) if len(os.path.relpath(b)) < 30 else b for b in binaries]
    width = max(len(r[0]) for r in rows)
    print(f"{'':{width}}  " + "  ".join(f"{n:>22}" for n in names) +
          ("  ratio" if len(binaries) == 2 else ""))
    for label, key, form in rows:
        values = [results[b][key] for b in binaries]
        line = f"{label:{width}}  " + "  ".join(f"{form.format(v):>22}" for v in values)
        if len(values) == 2:
            line += f"  {values[0] / values[1]:.3f}" if values[1] else "  -"
        print(line)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("binary")
    parser.add_argument("other", nargs="?")
    parser.add_argument("--seconds", type=float, default=20, help="each idle period")
    parser.add_argument("--keys", type=int, default=200)
    parser.add_argument("--runs", type=int, default=1)
    parser.add_argument("--scales", default="1,3", help="scales for idle CPU, the first is 1")
    args = parser.parse_args()
    args.scales = [1] + sorted({int(s) for s in args.scales.split(",")} - {1})
    binaries = [os.path.abspath(args.binary)] + ([os.path.abspath(args.other)] if args.other
                                                   else [])
    rng = random.Random(23)
    for run in range(args.runs):
        print(f"== run {run + 1} of {args.runs}, idle periods of {args.seconds:g} s, "
              f"load average {os.getloadavg()[0]:.2f}")
        report(binaries, measure_run(binaries, args, rng), args)
        sys.stdout.flush()


if __name__ == "__main__":
    main()
