#!/usr/bin/env python3
"""Plants faults on the lines a change touched and reports which ones no test notices.

`make mutate` (or `scripts/mutate.py`) takes the lines of src/ that `git diff BASE` shows as
added or changed (BASE defaults to main's merge base), plants one fault at a time on them
(comparisons flipped and moved by one, && and || swapped, a ! dropped, an integer literal
moved by one, true and false swapped, a statement or an early return removed, a call's
result ignored), rebuilds incrementally and runs the tests: first those that cover the
mutated file, then, when those pass, the whole suite. A mutant some test fails on is
killed; one all tests pass on survives and is reported with its replay command.

The faults are planted in a copy of the tree (build-mutate/tree), never in the worktree
itself, and the copy's file is put back after every mutant, also when interrupted. The
copy builds without sanitizers into build-mutate/build. Mutants known to change nothing a
user can see are listed in scripts/mutateEquivalent.txt with the reason.
"""

import argparse
import hashlib
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
EQUIVALENT_LIST = ROOT / "scripts" / "mutateEquivalent.txt"
# Files no unit test reaches (the real window's platform code, main): what covers them.
COVERAGE_TABLE = ROOT / "scripts" / "mutateCoverage.txt"


class Interrupted(Exception):
    pass


def on_signal(signum, _frame):
    raise Interrupted(f"signal {signum}")


# ---------------------------------------------------------------------------------------------
# Processes


def run(command, cwd, timeout=None, env=None):
    """Runs a command in a session of its own; returns (exit code, output). The whole
    process group is killed on a time-out or an interruption, so no test is left behind."""
    process = subprocess.Popen(command, cwd=cwd, env=env, stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, start_new_session=True, text=True,
                               errors="replace")
    try:
        output, _ = process.communicate(timeout=timeout)
        return process.returncode, output
    except subprocess.TimeoutExpired:
        kill_group(process)
        output, _ = process.communicate()
        return "timeout", output
    except BaseException:
        kill_group(process)
        process.communicate()
        raise


def kill_group(process):
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass


def git(*arguments):
    return subprocess.run(["git", *arguments], cwd=ROOT, check=True, capture_output=True,
                          text=True).stdout


# ---------------------------------------------------------------------------------------------
# The changed lines


def changed_lines(base, path_filter):
    """{path: set of line numbers} of src/ lines added or changed since base."""
    diff = git("diff", "-U0", "--no-color", "--no-ext-diff", base, "--", "src")
    lines, path = {}, None
    for line in diff.splitlines():
        if line.startswith("+++ "):
            name = line[4:]
            path = name[2:] if name.startswith("b/") else None
            if path and (not path.endswith((".cpp", ".h")) or not re.search(path_filter, path)):
                path = None
        elif line.startswith("@@") and path:
            match = re.match(r"@@ -\S+ \+(\d+)(?:,(\d+))? @@", line)
            start, count = int(match.group(1)), int(match.group(2) or "1")
            lines.setdefault(path, set()).update(range(start, start + count))
    return lines


# ---------------------------------------------------------------------------------------------
# Mutants

# Comment, string and character literal text and preprocessor lines are blanked before any
# operator is looked for, so nothing is planted in them.
def code_only(text):
    out, i, n = list(text), 0, len(text)

    def blank(a, b):
        for k in range(a, b):
            if out[k] != "\n":
                out[k] = " "

    line_start = True
    while i < n:
        c = text[i]
        if line_start and c == "#":
            end = i
            while end < n and text[end] != "\n":
                end += 2 if text[end] == "\\" else 1
            blank(i, min(end, n))
            i = end
            continue
        if c == "\n":
            line_start = True
            i += 1
            continue
        if not c.isspace():
            line_start = False
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            blank(i, end)
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            blank(i, end)
            i = end
        elif c == "R" and text.startswith('"', i + 1) and not (i and (text[i - 1].isalnum() or text[i - 1] == "_")):
            open_paren = text.find("(", i + 2)
            delimiter = text[i + 2:open_paren]
            end = text.find(")" + delimiter + '"', open_paren)
            end = n if end < 0 else end + len(delimiter) + 2
            blank(i, end)
            i = end
        elif c in "\"'":
            if c == "'" and i and text[i - 1].isalnum() and i + 1 < n and text[i + 1].isalnum():
                i += 1  # a digit separator
                continue
            end = i + 1
            while end < n and text[end] != c and text[end] != "\n":
                end += 2 if text[end] == "\\" else 1
            blank(i, end + 1)
            i = end + 1
        else:
            i += 1
    return "".join(out)


RELATIONAL = {
    "<": ["<=", ">="], "<=": ["<", ">"], ">": [">=", "<="], ">=": [">", "<"],
    "==": ["!="], "!=": ["=="],
}
EXPRESSION_START = re.compile(
    r"^(\s*)((?:\+\+|--)?[A-Za-z_][\w:]*(?:(?:\.|->)[A-Za-z_]\w*|\[[^\]]*\])*\s*"
    r"(?:\(|=[^=]|\+=|-=|\*=|/=|%=|\|=|&=|\+\+|--|<<))")
DECLARATION_WORDS = re.compile(r"^\s*(return|case|default|break|continue|goto|else|do|using|"
                               r"typedef|static_assert|template|namespace|delete)\b")
ASSIGNED_CALL = re.compile(r"^(\s*)[A-Za-z_][\w.\[\]>-]*\s*=\s*([A-Za-z_][\w:]*\(.*\));\s*$")


def mutants_of_line(line, code, previous_code):
    """The (mutated line, description) pairs for one line; code is the line with comments
    and literals blanked, previous_code the last non-blank code line before it."""
    found = []

    def replace(start, end, new, what):
        found.append((line[:start] + new + line[end:], what))

    if not code.strip() or code.lstrip().startswith("static_assert"):
        return found
    for match in re.finditer(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)", code):
        for new in RELATIONAL[match.group(1)]:
            replace(match.start(), match.end(), new, f"{match.group(1)} -> {new}")
    for match in re.finditer(r"(?<=\s)(&&|\|\|)(?=\s)", code):
        new = "||" if match.group(1) == "&&" else "&&"
        replace(match.start(), match.end(), new, f"{match.group(1)} -> {new}")
    for match in re.finditer(r"!(?=[A-Za-z_(*])", code):
        replace(match.start(), match.end(), "", "! dropped")
    for match in re.finditer(r"(?<![\w.'])(\d+)(?![\w.'])", code):
        value = int(match.group(1))
        for new in ([value + 1, value - 1] if value > 0 else [1]):
            replace(match.start(), match.end(), str(new), f"{value} -> {new}")
    for match in re.finditer(r"\b(true|false)\b", code):
        new = "false" if match.group(1) == "true" else "true"
        replace(match.start(), match.end(), new, f"{match.group(1)} -> {new}")

    stripped = code.rstrip()
    balanced = stripped.count("(") == stripped.count(")")
    after_statement = previous_code is None or previous_code.rstrip().endswith((";", "{", "}", ":", ")"))
    if stripped.endswith(";") and balanced and after_statement:
        indent = len(code) - len(code.lstrip())
        inline_return = re.search(r"^\s*(if|else)\b.*?(\breturn\b[^;]*;)\s*$", code)
        if inline_return:
            replace(inline_return.start(2), len(line.rstrip()), "{}", "early return removed")
        elif re.match(r"^\s*return\b", code) and indent >= 4:
            found.append((" " * indent + "{}", "return removed"))
        elif EXPRESSION_START.match(code) and not DECLARATION_WORDS.match(code):
            found.append((" " * indent + "{}", "statement removed"))
            call = ASSIGNED_CALL.match(code)
            if call:
                found.append((call.group(1) + "(void)" + line[call.start(2):call.end(2)] + ";",
                              "result ignored"))
    # The same text twice is one mutant.
    unique, seen = [], {line}
    for text, what in found:
        if text not in seen:
            seen.add(text)
            unique.append((text, what))
    return unique


def mutants_of_file(path, wanted_lines):
    text = (ROOT / path).read_text()
    lines, code_lines = text.split("\n"), code_only(text).split("\n")
    result, previous = [], None
    for number, (line, code) in enumerate(zip(lines, code_lines), start=1):
        if number in wanted_lines:
            for index, (mutated, what) in enumerate(mutants_of_line(line, code, previous), 1):
                result.append({"path": path, "line": number, "index": index, "original": line,
                               "mutated": mutated, "what": what})
        if code.strip():
            previous = code
    return result


def load_equivalents():
    """(path, original line, mutated line) -> reason, from the list kept in the repo."""
    marked = {}
    if not EQUIVALENT_LIST.exists():
        return marked
    for line in EQUIVALENT_LIST.read_text().splitlines():
        if not line.strip() or line.startswith("#"):
            continue
        parts = [part.strip() for part in line.split(" | ")]
        if len(parts) == 4:
            marked[tuple(parts[:3])] = parts[3]
    return marked


def equivalent_key(mutant):
    return (mutant["path"], mutant["original"].strip(), mutant["mutated"].strip())


# ---------------------------------------------------------------------------------------------
# The copy of the tree and its build


class Tree:
    def __init__(self, work_dir, jobs):
        self.copy = work_dir / "tree"
        self.build = work_dir / "build"
        self.jobs = jobs
        self.env = dict(os.environ)
        for key, value in (("CMAKE_CXX_COMPILER_LAUNCHER", "ccache"),):
            if shutil.which("ccache"):
                self.env.setdefault(key, value)

    def sync(self):
        """Makes the copy hold exactly the worktree's files, touching only those that differ,
        so the next build is incremental."""
        listed = git("ls-files", "-co", "--exclude-standard", "-z").split("\0")
        wanted = {name for name in listed if name and (ROOT / name).is_file()}
        for name in wanted:
            source, target = ROOT / name, self.copy / name
            data = source.read_bytes()
            if not target.exists() or target.read_bytes() != data:
                target.parent.mkdir(parents=True, exist_ok=True)
                target.write_bytes(data)
                shutil.copymode(source, target)
        for target in list(self.copy.rglob("*")):
            if target.is_file() and str(target.relative_to(self.copy)) not in wanted:
                target.unlink()

    def configure(self):
        if (self.build / "CMakeCache.txt").exists():
            return
        command = ["cmake", "-S", str(self.copy), "-B", str(self.build),
                   "-DCMAKE_BUILD_TYPE=Debug", "-DQUILLO_SANITIZE=OFF"]
        if shutil.which("ld.lld"):
            command.append("-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld")
        code, output = run(command, ROOT, env=self.env)
        if code != 0:
            sys.exit("mutate: cmake failed\n" + output)

    def make(self, targets=None):
        command = ["cmake", "--build", str(self.build), "-j", str(self.jobs)]
        if targets:
            command += ["--target", *targets]
        return run(command, ROOT, env=self.env)


# ---------------------------------------------------------------------------------------------
# Which tests cover a file


def read_depfile(path):
    text = path.read_text().replace("\\\n", " ")
    _, _, rest = text.partition(":")
    return {Path(item).resolve() for item in rest.split() if item}


class Coverage:
    """Finds the unit tests that compile a file's header in (from the compiler's dependency
    files in the build directory), and the suites they define."""

    def __init__(self, tree):
        self.tree = tree
        self.test_deps = {}
        object_dir = tree.build / "CMakeFiles" / "quillo_tests.dir"
        for depfile in object_dir.rglob("*.o.d"):
            source = depfile.relative_to(object_dir).as_posix()[: -len(".o.d")]
            self.test_deps[source] = read_depfile(depfile)
        self.support_deps = {}
        support_dir = tree.build / "CMakeFiles" / "quillo_test_support.dir"
        for depfile in support_dir.rglob("*.o.d"):
            source = depfile.relative_to(support_dir).as_posix()[: -len(".o.d")]
            self.support_deps[source] = read_depfile(depfile)
        self.table = []
        if COVERAGE_TABLE.exists():
            for line in COVERAGE_TABLE.read_text().splitlines():
                if line.strip() and not line.startswith("#"):
                    pattern, tests = line.split(None, 1)
                    self.table.append((pattern, tests.strip()))

    def from_table(self, path):
        for pattern, tests in self.table:
            if Path(path).match(pattern):
                return tests
        return None

    def headers_of(self, path):
        copy = self.tree.copy
        if path.endswith(".h"):
            return {(copy / path).resolve()}
        header = copy / (path[:-4] + ".h")
        if header.exists():
            return {header.resolve()}
        # No header of its own: the headers beside it that it includes.
        directory = (copy / path).parent
        included = re.findall(r'#include "([^"]+)"', (copy / path).read_text())
        found = set()
        for name in included:
            for candidate in (copy / "src" / name, directory / name):
                if candidate.exists() and candidate.parent == directory:
                    found.add(candidate.resolve())
        return found

    def test_files(self, path):
        headers = self.headers_of(path)
        if not headers:
            return None
        through = set(headers)
        for source, deps in self.support_deps.items():
            if deps & headers:
                through.add((self.tree.copy / (source[:-4] + ".h")).resolve())
        return sorted(source for source, deps in self.test_deps.items() if deps & through)

    def gtest_filter(self, path):
        files = self.test_files(path)
        if not files:
            return None
        suites = set()
        for source in files:
            text = (self.tree.copy / source).read_text()
            suites.update(re.findall(r"^\s*(?:TEST|TEST_F|TEST_P|TYPED_TEST)\(\s*(\w+)\s*,", text, re.M))
        if not suites:
            return None
        return ":".join(f"{suite}.*:*/{suite}.*" for suite in sorted(suites))


# ---------------------------------------------------------------------------------------------
# Running the tests


def failed_names(output):
    names = re.findall(r"^\[  FAILED  \] (\S+\.\S+)", output, re.M)
    names += re.findall(r"^\s*\d+ - (\S+) \(Failed|^\s*\d+ - (\S+) \(Timeout", output, re.M)
    flat = []
    for name in names:
        for part in (name if isinstance(name, tuple) else (name,)):
            if part and part not in flat:
                flat.append(part)
    return flat


class Suite:
    def __init__(self, tree, exclude_labels, unit_seconds):
        self.tree = tree
        self.unit_binary = tree.build / "quillo_tests"
        self.unit_timeout = max(60.0, unit_seconds * 4)
        self.exclude_labels = exclude_labels
        self.other_tests = self.list_other_tests()

    def list_other_tests(self):
        """Every ctest entry that is not a case of the unit binary (run directly, faster) and
        carries no excluded label: real window, fuzz replay, chart, layer checks."""
        code, output = run(["ctest", "--show-only=json-v1"], self.tree.build)
        names = []
        for test in json.loads(output)["tests"]:
            command = test.get("command") or [""]
            labels = []
            for prop in test.get("properties", []):
                if prop["name"] == "LABELS":
                    labels = prop["value"]
            if Path(command[0]).name == "quillo_tests":
                continue
            if set(labels) & set(self.exclude_labels):
                continue
            names.append(test["name"])
        return names

    def run_unit(self, gtest_filter=None):
        command = [str(self.unit_binary), "--gtest_brief=1"]
        if gtest_filter:
            command.append("--gtest_filter=" + gtest_filter)
        code, output = run(command, self.tree.build, timeout=self.unit_timeout)
        return code, output

    def run_ctest(self, regex_or_names, timeout=300):
        if isinstance(regex_or_names, list):
            if not regex_or_names:
                return 0, ""
            regex = "^(" + "|".join(re.escape(name) for name in regex_or_names) + ")$"
        else:
            regex = regex_or_names
        command = ["ctest", "-j", str(self.tree.jobs), "--stop-on-failure", "--timeout",
                   str(timeout), "-R", regex, "--output-on-failure"]
        return run(command, self.tree.build, timeout=timeout * 4)


def verdict(code):
    if code == "timeout":
        return "killed (time-out)"
    return "survived" if code == 0 else "killed"


# ---------------------------------------------------------------------------------------------
# One mutant


def try_mutant(mutant, tree, coverage, suite, verbose=False):
    """Plants the mutant in the copy, builds, runs the covering tests and then the rest.
    Returns (result, killing tests, output). The copy's file is always put back."""
    target = tree.copy / mutant["path"]
    original = target.read_bytes()
    lines = original.decode().split("\n")
    lines[mutant["line"] - 1] = mutant["mutated"]
    try:
        target.write_text("\n".join(lines))
        return judge(mutant, tree, coverage, suite, verbose)
    finally:
        target.write_bytes(original)


def judge(mutant, tree, coverage, suite, verbose):
    log = []

    def say(text):
        log.append(text)
        if verbose:
            print(text, flush=True)

    table_tests = coverage.from_table(mutant["path"])
    if table_tests:
        code, output = tree.make()
        if code != 0:
            return "not compiled", [], output
        say(f"covering tests (table): ctest -R '{table_tests}'")
        code, output = suite.run_ctest(table_tests)
        say(output)
        if code != 0:
            return verdict(code), failed_names(output) or [table_tests], "\n".join(log)
        gtest_filter = None
    else:
        code, output = tree.make(["quillo_tests"])
        if code != 0:
            return "not compiled", [], output
        gtest_filter = coverage.gtest_filter(mutant["path"])
        if gtest_filter:
            say(f"covering tests: quillo_tests --gtest_filter={gtest_filter}")
            code, output = suite.run_unit(gtest_filter)
            say(output)
            if code != 0:
                return verdict(code), failed_names(output), "\n".join(log)
    say("the rest of the unit tests")
    code, output = suite.run_unit(("-" + gtest_filter) if gtest_filter else None)
    say(output)
    if code != 0:
        return verdict(code), failed_names(output), "\n".join(log)
    code, output = tree.make()
    if code != 0:
        return "not compiled", [], output
    say("the rest of the suite: " + ", ".join(sorted({n.split(".")[0] for n in suite.other_tests})))
    code, output = suite.run_ctest(suite.other_tests)
    say(output)
    return verdict(code), failed_names(output), "\n".join(log)


# ---------------------------------------------------------------------------------------------
# Report


def replay_command(mutant, base_given):
    return f"make mutate MUTANT={mutant['path']}:{mutant['line']}:{mutant['index']}" + (
        f" BASE={base_given}" if base_given else "")


def report(results, equivalents_skipped, stopped_early, remaining, elapsed, base, out_path):
    lines = [f"make mutate: faults planted on the lines changed since {base}", ""]
    per_file = {}
    for mutant, result, _ in results:
        entry = per_file.setdefault(mutant["path"], {"tried": 0, "killed": 0, "not compiled": 0})
        if result == "not compiled":
            entry["not compiled"] += 1
            continue
        entry["tried"] += 1
        if result.startswith("killed"):
            entry["killed"] += 1
    tried = sum(e["tried"] for e in per_file.values())
    killed = sum(e["killed"] for e in per_file.values())
    width = max([len(p) for p in per_file] + [4])
    lines.append(f"{'file':<{width}}  killed/tried  not compiled")
    for path in sorted(per_file):
        e = per_file[path]
        lines.append(f"{path:<{width}}  {e['killed']:>6}/{e['tried']:<5}  {e['not compiled']:>6}")
    figure = f"{100.0 * killed / tried:.1f}%" if tried else "n/a"
    lines.append("")
    lines.append(f"killed {killed} of {tried} ({figure}); {equivalents_skipped} marked equivalent, "
                 f"not tried; {sum(e['not compiled'] for e in per_file.values())} did not compile; "
                 f"{elapsed / 60:.1f} minutes")
    if stopped_early:
        lines.append(f"the time box ended the run: {remaining} mutants not tried")
    survivors = [(m, r) for m, r, _ in results if r == "survived"]
    if survivors:
        lines.append("")
        lines.append("survivors:")
        for mutant, _ in sorted(survivors, key=lambda s: (s[0]["path"], s[0]["line"], s[0]["index"])):
            lines.append(f"  {mutant['path']}:{mutant['line']}: {mutant['what']}")
            lines.append(f"    - {mutant['original'].strip()}")
            lines.append(f"    + {mutant['mutated'].strip()}")
            lines.append(f"    replay: {replay_command(mutant, base if base != 'merge base' else None)}")
    text = "\n".join(lines) + "\n"
    out_path.write_text(text)
    return text


# ---------------------------------------------------------------------------------------------


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--base", default="", help="diff against this commit (default: main's merge base)")
    parser.add_argument("--minutes", type=float, default=30.0, help="time box (default 30)")
    parser.add_argument("--files", default="", help="only paths matching this regular expression")
    parser.add_argument("--replay", default="", help="path:line:index of a mutant (several separated by commas), run verbosely")
    parser.add_argument("--list", action="store_true", help="list the mutants and stop")
    parser.add_argument("--seed", type=int, default=1, help="order in which mutants are tried")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--exclude-label", action="append", default=None,
                        help="ctest labels left out of the whole suite (default: install)")
    parser.add_argument("--work-dir", default=str(ROOT / "build-mutate"))
    args = parser.parse_args()
    exclude_labels = args.exclude_label or ["install"]

    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGHUP, on_signal)
    base = args.base or git("merge-base", "main", "HEAD").strip()
    base_name = args.base or "merge base"

    changed = changed_lines(base, args.files or ".")
    mutants = []
    for path in sorted(changed):
        mutants += mutants_of_file(path, changed[path])
    equivalents = load_equivalents()

    if args.replay:
        chosen = []
        for one in args.replay.split(","):
            path, line, index = one.rsplit(":", 2)
            found = [m for m in mutants_of_file(path, {int(line)}) if m["index"] == int(index)]
            if not found:
                sys.exit(f"mutate: no mutant {one}")
            chosen += found
        mutants = chosen
    if args.list:
        for m in mutants:
            mark = "  (equivalent)" if equivalent_key(m) in equivalents else ""
            print(f"{m['path']}:{m['line']}:{m['index']} {m['what']}: {m['mutated'].strip()}{mark}")
        print(f"{len(mutants)} mutants")
        return 0

    start = time.monotonic()
    deadline = start + args.minutes * 60
    work_dir = Path(args.work_dir)
    tree = Tree(work_dir, args.jobs)
    print(f"mutate: {len(mutants)} mutants on {sum(len(v) for v in changed.values())} changed lines "
          f"of {len(changed)} files since {base[:12]}; copy and build in {work_dir}", flush=True)
    tree.sync()
    tree.configure()
    code, output = tree.make()
    if code != 0:
        sys.exit("mutate: the unmutated tree does not build\n" + output[-4000:])
    unit_start = time.monotonic()
    code, output = run([str(tree.build / "quillo_tests"), "--gtest_brief=1"], tree.build)
    unit_seconds = time.monotonic() - unit_start
    if code != 0:
        sys.exit("mutate: the unit tests fail before any fault is planted\n" + output[-4000:])
    coverage = Coverage(tree)
    suite = Suite(tree, exclude_labels, unit_seconds)

    if args.replay:
        for mutant in mutants:
            print(f"{mutant['path']}:{mutant['line']}: {mutant['what']}\n"
                  f"  - {mutant['original'].strip()}\n  + {mutant['mutated'].strip()}", flush=True)
            result, killers, _ = try_mutant(mutant, tree, coverage, suite, verbose=True)
            print(f"\n{result}" + (f" by {', '.join(killers[:5])}" if killers else ""), flush=True)
        tree.make()
        return 0

    # A fixed random order that depends on each mutant's text, not its line number, so an edit
    # elsewhere in the file leaves the order of the others as it was.
    mutants.sort(key=lambda m: hashlib.sha256(
        f"{args.seed}|{m['path']}|{m['original'].strip()}|{m['mutated'].strip()}".encode()).digest())
    results, skipped, stopped, interrupted = [], 0, False, False
    remaining = 0
    try:
        for number, mutant in enumerate(mutants):
            if equivalent_key(mutant) in equivalents:
                skipped += 1
                continue
            if time.monotonic() > deadline:
                stopped, remaining = True, len(mutants) - number
                break
            result, killers, _ = try_mutant(mutant, tree, coverage, suite)
            results.append((mutant, result, killers))
            shown = f" ({killers[0]})" if killers else ""
            print(f"[{number + 1}/{len(mutants)}] {mutant['path']}:{mutant['line']}:{mutant['index']} "
                  f"{mutant['what']}: {result}{shown}", flush=True)
    except (KeyboardInterrupt, Interrupted):
        stopped, interrupted = True, True
        remaining = len(mutants) - len(results) - skipped
        print("mutate: interrupted; the copy's file is back as it was", flush=True)
    text = report(results, skipped, stopped, remaining, time.monotonic() - start, base_name,
                  work_dir / "report.txt")
    print()
    print(text, end="")
    print(f"(also in {work_dir / 'report.txt'})")
    # Leave the copy's build matching its sources again (an interrupted run leaves that to the
    # next one, which builds first anyway).
    if not interrupted:
        tree.make()
    return 0


if __name__ == "__main__":
    sys.exit(main())
