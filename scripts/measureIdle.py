#!/usr/bin/env python3
"""Measures the real program under Xvfb: time from start to the first frame that shows the
titles, and the CPU it uses while it sits idle.

usage: measureIdle.py QUILLO_BINARY [idle seconds, default 10] [runs, default 3] [scale, default 1]

At a scale N the program runs with --scale N on a screen of 640N by 480N, which its window fills.
"""
import ctypes
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time

TICKS = os.sysconf("SC_CLK_TCK")
# The title colour of "Dark on Light" (0, 0, 39 levels) as the X server shows it.
TITLE_RGB = (0, 0, (39 * 255 + 31) // 63)


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


def open_x(display):
    xlib = ctypes.cdll.LoadLibrary("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XGetImage.restype = ctypes.POINTER(XImage)
    xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                               ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    connection = xlib.XOpenDisplay(display.encode())
    if not connection:
        sys.exit(f"cannot open {display}")
    return xlib, connection


def title_shown(x, scale):
    # Only row 1 of the grid, columns 35-44 ("QUILLO 2.1"), is read, straight from the server:
    # a screenshot of a whole screen 3 times as large would take longer than the start-up.
    xlib, connection = x
    left, width, height = 34 * 8 * scale, 10 * 8 * scale, 16 * scale
    all_planes, z_pixmap = 0xffffffff, 2
    image = xlib.XGetImage(connection, xlib.XDefaultRootWindow(connection), left, 0, width,
                           height, all_planes, z_pixmap)
    if not image or image.contents.bits_per_pixel != 32:
        return False
    shot = ctypes.string_at(image.contents.data, image.contents.bytes_per_line * height)
    line_bytes = image.contents.bytes_per_line
    xlib.XFree(image.contents.data)
    xlib.XFree(image)
    # Pixels are 4 bytes: blue, green, red, pad.
    ink = bytes((TITLE_RGB[2], TITLE_RGB[1], TITLE_RGB[0]))
    found = shot.find(ink)
    while found >= 0 and found % line_bytes % 4:
        found = shot.find(ink, found + 1)
    return found >= 0


def cpu_ticks(pid):
    fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def measure(binary, display, x, idle_seconds, scale):
    workdir = tempfile.mkdtemp(prefix="quillo-measure-")
    env = {**os.environ, "DISPLAY": display, "SDL_AUDIODRIVER": "disk",
           "SDL_DISKAUDIOFILE": os.path.join(workdir, "audio.raw")}
    began = time.monotonic()
    program = subprocess.Popen([binary, "--scale", str(scale)], cwd=workdir, env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        while not title_shown(x, scale):
            time.sleep(0.002)
            if program.poll() is not None or time.monotonic() - began > 20:
                program.kill()
                sys.exit("the program showed no titles; it said: " +
                         program.communicate()[1].decode(errors="replace")[-2000:])
        first_frame = time.monotonic() - began
        time.sleep(1)  # let start-up work settle
        ticks = cpu_ticks(program.pid)
        time.sleep(idle_seconds)
        idle = (cpu_ticks(program.pid) - ticks) / TICKS / idle_seconds * 100
        return first_frame, idle
    finally:
        program.kill()
        program.wait()
        shutil.rmtree(workdir, ignore_errors=True)


def main():
    binary = os.path.abspath(sys.argv[1])
    idle_seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 10
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    scale = int(sys.argv[4]) if len(sys.argv) > 4 else 1
    server, display = start_display(scale)
    x = open_x(display)
    try:
        for run in range(runs):
            first_frame, idle = measure(binary, display, x, idle_seconds, scale)
            print(f"run {run + 1}: first frame {first_frame * 1000:.0f} ms, "
                  f"idle CPU {idle:.2f}% of a core over {idle_seconds:g} s")
    finally:
        server.terminate()
        server.wait()


if __name__ == "__main__":
    main()
