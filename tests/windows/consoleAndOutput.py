#!/usr/bin/env python3
"""`quillo.exe` under Wine as a console user meets it: the exit statuses, output that cannot be
written, and Ctrl+C.

- The exit statuses of the README's table that the schedule comparison does not show.
- A full disk: standard output is Linux's /dev/full, which Wine reports to the program as a full
  disk; and a pipe whose reader has gone: each ends with status 1 and a message.
- Ctrl+C (Wine turns a SIGINT of its process into the console's Ctrl+C): `quillo.exe schedule`
  writing to a reader that does not read ends at once as interrupted; the window program, on the
  X display this runs on when there is one, ends through its exit path, options saved, status 0.
  (Ctrl+Break and closing the console cannot be sent under Wine: the unit suite gives them to
  the handler.)

usage: consoleAndOutput.py QUILLO_EXE BUILD_DIR
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
WINE_RUN = os.path.join(HERE, "../../scripts/wineRun.sh")
NO_SPACE = ": standard output could not be written: No space left on device\r\n"
# The low byte of 0xC000013A, the status Windows gives an interrupted console program: all of it
# that reaches Linux.
INTERRUPTED = 0x3A
LONG_SCHEDULE = ["schedule", "250000", "6", "--term", "1000y"]


def start(build, args, display=False, **options):
    # Without a window, off the display: Wine starts a console program faster without one.
    env = dict(os.environ, SDL_AUDIODRIVER="dummy")
    if not display:
        env.pop("DISPLAY", None)
    return subprocess.Popen([WINE_RUN, build, *args], stdin=subprocess.DEVNULL, env=env, **options)


def statuses(exe, build, work):
    """(what, arguments, standard output: NUL, a full disk or a closed pipe; status, pattern
    of standard error)"""
    a_file = os.path.join(work, "aFile")
    with open(a_file, "w") as f:
        f.write("not a folder")
    cases = [
        ("version", ["--version"], "null", 0, ""),
        ("unknown argument", ["--frobnicate"], "null", 2, r"(?s).*usage: quillo.*"),
        ("bad scale", ["--scale", "9"], "null", 2, r"(?s).*usage: quillo.*"),
        ("data directory unusable", ["--data-dir", a_file], "null", 1, r".+\r\n"),
        ("full disk, --help", ["--help"], "full", 1, re.escape("quillo" + NO_SPACE)),
        ("full disk, schedule", ["schedule", "1000", "12", "100"], "full", 1,
         re.escape("quillo schedule" + NO_SPACE)),
        ("closed pipe, schedule", LONG_SCHEDULE, "closed", 1,
         re.escape("quillo schedule: standard output could not be written: ") + r".+\r\n"),
    ]
    failures = []
    for what, args, output, status, pattern in cases:
        # Standard error goes to a file: a Wine server the run starts holds its pipes open.
        with open(os.path.join(work, "stderr"), "w+b") as errors, \
                open("/dev/full" if output == "full" else os.devnull, "wb") as sink:
            program = start(build, [exe, *args], stderr=errors,
                            stdout=subprocess.PIPE if output == "closed" else sink)
            if output == "closed":
                program.stdout.close()  # long before Wine has started the program
            program.wait(timeout=120)
            errors.seek(0)
            said = errors.read().decode("latin-1")
        if program.returncode != status or not re.fullmatch(pattern, said):
            failures.append(f"{what}: status {program.returncode}, said {said!r}; expected status "
                            f"{status}, {pattern!r}")
    print(f"exit statuses and failed output: {len(cases) - len(failures)} of {len(cases)} as on Linux")
    return failures


def interrupt(program, seconds=30):
    program.send_signal(signal.SIGINT)
    try:
        return program.wait(timeout=seconds)
    except subprocess.TimeoutExpired:
        program.kill()
        program.wait()
        return None


def ctrl_c_schedule(exe, build):
    program = start(build, [exe, *LONG_SCHEDULE], stdout=subprocess.PIPE)
    # Once it has written, it is running; the pipe then fills and holds it.
    program.stdout.readline()
    started = time.monotonic()
    status = interrupt(program)
    took = time.monotonic() - started
    print(f"Ctrl+C: the schedule ended with status {status} in {took:.1f} s")
    if status != INTERRUPTED:
        return [f"Ctrl+C: the schedule ended with status {status}, expected {INTERRUPTED}"]
    return []


def ctrl_c_window(exe, build, work):
    sys.path.insert(0, HERE)
    from installerAndWindow import wait_for, window_640x480
    data = os.path.join(work, "windowData")
    program = start(build, [exe, "--scale", "1", "--data-dir", data], display=True)
    wait_for(window_640x480, 60, "the window")
    status = interrupt(program)
    options = os.path.join(data, "quilloOptions.txt")
    saved = open(options, "rb").read() if os.path.exists(options) else None
    print(f"Ctrl+C: the window program ended with status {status}, options saved: {saved!r}")
    if status != 0 or saved != b'"ding.wav"\r\n2\r\n':
        return [f"Ctrl+C: the window program ended with status {status}, options file {saved!r}"]
    return []


def timed(what, run):
    started = time.monotonic()
    result = run()
    print(f"({what}: {time.monotonic() - started:.1f} s)")
    return result


def main():
    exe, build = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    work = os.path.join(build, "consoleTest")
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    failures = timed("statuses", lambda: statuses(exe, build, work))
    failures += timed("schedule", lambda: ctrl_c_schedule(exe, build))
    if os.environ.get("DISPLAY"):
        failures += timed("window", lambda: ctrl_c_window(exe, build, work))
    for failure in failures:
        print("FAILED: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
