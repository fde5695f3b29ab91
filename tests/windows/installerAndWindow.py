#!/usr/bin/env python3
"""The installer and the real window under Wine, on the X display this runs on (xvfb-run).

1. The Linux build runs the reference session: type a loan and a rate, F2 for 30 years, Continue,
   Ctrl+Page Down, F3, a key, Exit; a screenshot of the window after each step.
2. The installer runs silently (/S): the program, its Start-menu entry and its entry in the
   installed-programs list are there.
3. The installed program, started as its Start-menu entry starts it (no arguments), gets the same session; each
   screenshot of its client area must equal the Linux one pixel for pixel, and the options file
   must be saved in %APPDATA%\\Quillo.
4. The uninstaller, run silently, leaves no file of the installation behind: the files of the
   Wine prefix are those from before the install, plus only the user's own data in
   %APPDATA%\\Quillo and the uninstaller's own copy in %TEMP%.

usage: installerAndWindow.py LINUX_QUILLO SETUP_EXE BUILD_DIR
"""
import glob
import os
import shutil
import struct
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
WINE_RUN = os.path.join(HERE, "../../scripts/wineRun.sh")
WIDTH, HEIGHT = 640, 480
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillo"

# The session: (what to do, a name for its screenshot). Keys are xdotool key names.
SESSION = [
    (("wait",), "form"),
    (("type", "250000"), None),
    (("key", "Return"), None),
    (("type", "6.5"), None),
    (("key", "Return"), "loan and rate"),
    (("key", "F2"), None),
    (("type", "30"), "payment for 30 years"),
    (("key", "Return", "Return"), "payment filled"),
    (("key", "Return"), "schedule started"),
    (("key", "ctrl+Next"), "schedule to the end"),
    (("key", "F3"), "chart"),
    (("key", "space"), "back from the chart"),
    (("click", 600, 460), None),
]


SHOTS = None


def xdo(*args):
    subprocess.run(["xdotool", *[str(a) for a in args]], check=True)


def window_640x480():
    """The X window whose size is the program's surface; None while there is none."""
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
    for line in tree.splitlines():
        parts = line.split()
        if parts and parts[0].startswith("0x") and f"{WIDTH}x{HEIGHT}+" in line:
            window = parts[0]
            state = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True)
            if "IsViewable" in state.stdout:
                return window
    return None


def wait_for(condition, seconds, what):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.2)
    raise SystemExit(f"FAILED: {what} within {seconds} s")


def screenshot(window):
    """The window's pixels as bytes of RGB triples, or None when it is not 640x480."""
    data = subprocess.run(["xwd", "-id", window, "-silent"], capture_output=True).stdout
    if len(data) < 100:
        return None
    header = struct.unpack(">25I", data[:100])
    header_size, width, height, bytes_per_line, ncolors = (header[0], header[4], header[5],
                                                           header[12], header[19])
    if (width, height) != (WIDTH, HEIGHT):
        return None
    start = header_size + ncolors * 12
    pixels = bytearray()
    for y in range(height):
        line = data[start + y * bytes_per_line:start + y * bytes_per_line + width * 4]
        for x in range(width):
            pixels += bytes((line[x * 4 + 2], line[x * 4 + 1], line[x * 4]))
    return bytes(pixels)


def save_png(pixels, path):
    """For looking at a failure: the screenshot as a PNG."""
    import zlib
    rows = b"".join(b"\0" + pixels[y * WIDTH * 3:(y + 1) * WIDTH * 3] for y in range(HEIGHT))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xffffffff))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" +
                chunk(b"IHDR", struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def differing(a, b):
    return sum(1 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])


def settled(window):
    """A screenshot once two taken 0.3 s apart agree (the blinking cursor may still differ)."""
    last = screenshot(window)
    for _ in range(20):
        time.sleep(0.3)
        now = screenshot(window)
        if now == last:
            return now
        last = now
    return last


def act(window, step):
    kind = step[0]
    if kind == "type":
        xdo("type", "--delay", "60", step[1])
    elif kind == "key":
        for key in step[1:]:
            xdo("key", key)
            time.sleep(0.25)
    elif kind == "click":
        xdo("mousemove", "--window", window, step[1], step[2])
        time.sleep(0.2)
        xdo("click", "1")


def run_session(window, reference=None):
    """Plays the session; returns the screenshots, or compares them with the reference ones."""
    shots, results = [], []
    xdo("windowfocus", "--sync", window)
    for step, name in SESSION:
        if step[0] != "wait":
            act(window, step)
        time.sleep(0.4)
        if name is None:
            continue
        if reference is None:
            shots.append((name, settled(window)))
            continue
        expected = reference[len(results)][1]
        # The blinking field cursor: the shot whose phase matches the reference one is the one
        # to compare, so look for a while (the cursor shows once Wine has made the new window
        # the active one, which can take seconds on a busy machine).
        best, best_shot = None, None
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            shot = screenshot(window)
            if shot is None:
                continue
            count = differing(shot, expected)
            if best is None or count < best:
                best, best_shot = count, shot
            if count == 0:
                break
            time.sleep(0.1)
        if best and SHOTS:
            save_png(expected, os.path.join(SHOTS, f"{len(results)}-linux.png"))
            save_png(best_shot, os.path.join(SHOTS, f"{len(results)}-wine.png"))
        results.append((name, best))
    return shots if reference is None else results


def tree_files(root):
    found = set()
    for directory, _, files in os.walk(root):
        for name in files:
            found.add(os.path.relpath(os.path.join(directory, name), root))
    return found


def wine(build, *args, check=True):
    return subprocess.run([WINE_RUN, build, *args], check=check, stdin=subprocess.DEVNULL,
                          capture_output=True, text=True)


def main():
    linux, setup, build = sys.argv[1], os.path.abspath(sys.argv[2]), os.path.abspath(sys.argv[3])
    failures = []
    global SHOTS
    work = os.path.join(build, "windowTest")
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    SHOTS = work
    env = dict(os.environ, ASAN_OPTIONS="detect_leaks=0", SDL_AUDIODRIVER="dummy")
    env.pop("QUILLO_SCALE", None)

    # 1. The reference session on Linux.
    linux_data = os.path.join(work, "linux")
    program = subprocess.Popen([linux, "--scale", "1", "--data-dir", linux_data], env=env,
                               stdin=subprocess.DEVNULL)
    window = wait_for(window_640x480, 30, "the Linux window")
    reference = run_session(window)
    if program.wait(timeout=30) != 0:
        failures.append(f"the Linux program ended with status {program.returncode}")

    # 2. The silent install.
    prefix = os.path.join(build, "wineprefix")
    wine(build, "wineboot", "--init", check=False)
    before = tree_files(os.path.join(prefix, "drive_c"))
    started = time.monotonic()
    wine(build, setup, "/S")
    install_dir = os.path.join(prefix, "drive_c/Program Files/Quillo")
    shortcut = os.path.join(prefix, "drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quillo.lnk")
    for path in [os.path.join(install_dir, "quillo.exe"), os.path.join(install_dir, "uninstall.exe"),
                 shortcut]:
        if not os.path.exists(path):
            failures.append(f"the installer did not put {os.path.relpath(path, prefix)} in place")
    listed = wine(build, "reg", "query", UNINSTALL_KEY, "/v", "DisplayName", check=False)
    if "Quillo" not in listed.stdout:
        failures.append("no entry in the installed-programs list")
    print(f"installer: installed in {time.monotonic() - started:.1f} s")

    # 3. The installed program, started through its Start-menu entry.
    appdata_glob = os.path.join(prefix, "drive_c/users/*/AppData/Roaming/Quillo")
    # As the shortcut starts it: no arguments, in its own folder. (Through start.exe Wine does
    # not hand the new window the keyboard on a display without a window manager.)
    subprocess.Popen([WINE_RUN, build, os.path.join(install_dir, "quillo.exe")], cwd=install_dir,
                     stdin=subprocess.DEVNULL, env=dict(os.environ, SDL_AUDIODRIVER="dummy"))
    window = wait_for(window_640x480, 60, "the window of the installed program")
    results = run_session(window, reference)
    equal = sum(1 for _, count in results if count == 0)
    print(f"window under Wine: {equal} of {len(results)} screenshots equal to the Linux build's "
          f"pixel for pixel ({WIDTH * HEIGHT} pixels each)")
    for name, count in results:
        if count != 0:
            failures.append(f"screenshot '{name}': {count if count is not None else 'all'} of "
                            f"{WIDTH * HEIGHT} pixels differ")
    options = wait_for(lambda: glob.glob(os.path.join(appdata_glob, "quilloOptions.txt")), 30,
                       "the options file in %APPDATA%\\Quillo")
    with open(os.path.join(linux_data, "quilloOptions.txt"), "rb") as f:
        linux_options = f.read()
    with open(options[0], "rb") as f:
        windows_options = f.read()
    if windows_options.replace(b"\r\n", b"\n") != linux_options.replace(b"\r\n", b"\n"):
        failures.append(f"options file {windows_options!r}, on Linux {linux_options!r}")
    wait_for(lambda: window_640x480() is None, 30, "the window to close after Exit")

    # 4. The silent uninstall: the uninstaller copies itself away and returns at once.
    wine(build, os.path.join(install_dir, "uninstall.exe"), "/S")
    wait_for(lambda: not os.path.exists(install_dir), 60, "the uninstaller to remove the program")
    # The uninstaller runs from a copy of itself in %TEMP% (every NSIS uninstaller does), which
    # stays there for the system's clean-up of temporary files; it is counted apart.
    time.sleep(3)
    after = tree_files(os.path.join(prefix, "drive_c"))
    user_data = {path for path in after - before if "/AppData/Roaming/Quillo/" in "/" + path}
    temp_copies = {path for path in after - before if "/Temp/~nsu" in "/" + path}
    left = sorted(after - before - user_data - temp_copies)
    for path in left:
        failures.append(f"left behind after uninstalling: {path}")
    if "Quillo" in wine(build, "reg", "query", UNINSTALL_KEY, check=False).stdout:
        failures.append("the installed-programs entry is still there")
    print(f"uninstaller: {len(left)} files left behind ({len(temp_copies)} copy of itself in "
          f"%TEMP%); the user's own files kept in "
          f"%APPDATA%\\Quillo: {sorted(os.path.basename(p) for p in user_data)}")

    for failure in failures:
        print("FAILED: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
