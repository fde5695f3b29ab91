#!/usr/bin/env python3
"""`quillo.exe schedule` under Wine against the Linux build, for random plans.

Each plan (a loan, a rate, a payment or a term, rate and payment changes, extra payments, one of
the output formats) runs through both programs; standard output, standard error and the exit
status must be the same, the Windows output's CR LF line ends read as LF. The Windows runs go
through one batch file, so Wine starts once.

usage: scheduleParity.py LINUX_QUILLO QUILLO_EXE BUILD_DIR COUNT [SEED]
"""
import os
import random
import shutil
import subprocess
import sys
import time

FORMATS = ["csv", "text", "summary", "svg"]


def amount(rng, low, high):
    value = rng.uniform(low, high)
    shape = rng.randrange(4)
    if shape == 0:
        return str(int(value))
    if shape == 1:
        return f"{int(value):,}"
    if shape == 2:
        return f"{value:.2f}"
    return f"{value:.3f}"


def rate(rng):
    return rng.choice(["0", "3", "6.5", f"{rng.uniform(0.1, 18):.2f}", f"{rng.uniform(1, 12):.3f}"])


def term(rng):
    years, months = rng.randrange(1, 41), rng.randrange(12)
    return rng.choice([f"{years}y", str(years * 12 + months), f"{years}y{months}m"])


def plan(rng):
    loan = amount(rng, 500, 900000)
    args = ["schedule", loan, rate(rng)]
    kind = rng.random()
    if kind < 0.45:
        # Around what repays the loan in 5 to 40 years; now and then less than the interest.
        plain = float(loan.replace(",", ""))
        args.append(f"{plain / rng.uniform(40, 480) * rng.uniform(0.8, 1.6):.2f}")
    elif kind < 0.95:
        args += ["--term", term(rng)]
    month = 1
    for _ in range(rng.choice([0, 0, 1, 2, 3])):
        month += rng.randrange(1, 120)
        payment = rng.choice(["", "keep", amount(rng, 100, 6000)])
        new_rate = rng.choice(["", rate(rng)]) if payment else rate(rng)
        args += ["--change", f"{month}:{new_rate}:{payment}"]
    for _ in range(rng.choice([0, 0, 1, 2])):
        args += ["--extra", f"{rng.randrange(1, 240)}:{amount(rng, 1, 20000)}"]
    args += ["--format", rng.choice(FORMATS)]
    return args


def windows_batch(plans, exe, work, part, parts):
    lines = ["@echo off"]
    for number, args in enumerate(plans):
        if number % parts != part:
            continue
        quoted = " ".join(f'"{a}"' for a in args)
        lines.append(f'"{exe}" {quoted} >out\\{number}.out 2>out\\{number}.err')
        lines.append(f">out\\{number}.rc echo %ERRORLEVEL%")
    # The batch's own status would be the last plan's; it ends well when every plan was run.
    lines.append("exit /b 0")
    with open(os.path.join(work, f"plans{part}.cmd"), "w", newline="\r\n") as batch:
        batch.write("\n".join(lines) + "\n")


def read(path):
    with open(path, "rb") as f:
        return f.read()


def main():
    linux, exe, build, count = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
    seed = int(sys.argv[5]) if len(sys.argv) > 5 else int(time.time())
    rng = random.Random(seed)
    plans = [plan(rng) for _ in range(count)]
    work = os.path.join(build, "scheduleParity")
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(os.path.join(work, "out"))
    # One batch per core: a start of the program under Wine costs far more than its work.
    parts = os.cpu_count() or 1
    for part in range(parts):
        windows_batch(plans, "Z:" + os.path.abspath(exe).replace("/", "\\"), work, part, parts)

    started = time.monotonic()
    wine = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../scripts/wineRun.sh")
    runs = [subprocess.Popen([wine, build, "cmd", "/c", f"plans{part}.cmd"], cwd=work,
                             stdin=subprocess.DEVNULL) for part in range(parts)]
    if any(run.wait() != 0 for run in runs):
        print("FAILED: a batch of plans did not run under Wine")
        return 1
    wine_seconds = time.monotonic() - started

    same, compared_bytes, failures = 0, 0, []
    env = dict(os.environ, ASAN_OPTIONS="detect_leaks=0")
    for number, args in enumerate(plans):
        expected = subprocess.run([linux] + args, capture_output=True, env=env)
        out = os.path.join(work, "out", str(number))
        got_out = read(out + ".out").replace(b"\r\n", b"\n")
        got_err = read(out + ".err").replace(b"\r\n", b"\n")
        got_rc = int(read(out + ".rc").strip() or b"-1")
        if (got_out, got_err, got_rc) == (expected.stdout, expected.stderr, expected.returncode):
            same += 1
            compared_bytes += len(got_out) + len(got_err)
        else:
            failures.append((args, expected, got_out, got_err, got_rc))

    statuses = sorted({int(read(os.path.join(work, "out", f"{n}.rc")).strip() or b"-1")
                       for n in range(count)})
    print(f"schedule under Wine: {same} of {count} random plans byte-equal to the Linux build "
          f"apart from line ends ({compared_bytes} bytes; exit statuses seen {statuses}; "
          f"seed {seed}; {wine_seconds:.1f} s under Wine)")
    for args, expected, got_out, got_err, got_rc in failures[:5]:
        print("DIFFERS: quillo " + " ".join(args))
        print(f"  Linux: status {expected.returncode}, {len(expected.stdout)} bytes out, "
              f"stderr {expected.stderr[:200]!r}")
        print(f"  Wine:  status {got_rc}, {len(got_out)} bytes out, stderr {got_err[:200]!r}")
        for line, (a, b) in enumerate(zip(expected.stdout.split(b"\n"), got_out.split(b"\n"))):
            if a != b:
                print(f"  first differing line {line + 1}: {a[:120]!r} / {b[:120]!r}")
                break
    return 0 if same == count else 1


sys.exit(main())
