#!/usr/bin/env python3
"""A small mutation runner for the game's C++ code.

Each mutant is one small change to one .cpp file (a number, a comparison, a logical operator, a
negated condition, a deleted statement, two calls swapped). The changed file is compiled from a
copy in a scratch folder (the source tree is never written), the object replaces its twin in a
copy of the game's static library, the test program is relinked against that copy, and the fast
part of the suite runs in one process until its first failure. A mutant the suite fails on is
killed; one it passes survives. Mutants listed in equivalent.txt cannot change what the game
does; they are not run and the score leaves them out.

Usage (see `make mutants` and the README):
  mutants.py [--mutate PATH ...] [--sample N] [--seed S] [--build DIR] [--list]
"""

import argparse
import fnmatch
import hashlib
import json
import os
import random
import re
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass, field

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_PATHS = ["src/scenes/level", "src/scenes/ending", "src/scenes/title", "src/services"]
TEST_TARGET = "pebblefrost_tests"
# Slow or environment-bound tests that are not part of a mutant's run.
SLOW_TESTS = ["SoakTest.*", "*Fuzz*", "HostileData*"]
# An area's tests that took at most this long unmutated run before its others.
QUICK_SECONDS = 1.0
# Tests run first for a file of each folder; the rest of the fast suite runs only when these pass.
AREA_TESTS = {
    "src/scenes/level": ["Level*", "ShippedLevel*", "*Level*", "Character*", "Collisions*",
                         "Items*", "PageKeys*", "StopCard*", "*/PlayedStop*", "*Undo*",
                         "HeadlessTest.Snapshot*"],
    "src/scenes/ending": ["Ending*", "*Ending*"],
    "src/scenes/title": ["Title*", "*Title*"],
    "src/services": ["Bag*", "*Bag*", "Common*", "*Common*", "ListFiles*", "*List*",
                     "ItemFrameTable*", "BookDraw*", "Hand*"],
}


@dataclass
class Mutant:
    file: str  # relative to the repository
    line: int  # 1-based
    col: int  # 0-based column of the change in the original line
    op: str
    original: str  # the original line(s) as they stand
    mutated: str  # their replacement
    span: int = 1  # lines replaced (2 for a swap)
    ident: str = ""
    status: str = ""
    seconds: float = 0.0
    detail: str = ""
    by_new: bool = False  # killed only by the tests named with --compare-new

    def change(self):
        a = " / ".join(s.strip() for s in self.original.split("\n"))
        b = " / ".join(s.strip() for s in self.mutated.split("\n"))
        return f"{a}  =>  {b}"


# ---------------------------------------------------------------------------------------------
# Finding mutants


def mask_line(line, in_block):
    """The line with comments and string/char literals blanked (same length), and whether a
    block comment is still open at its end."""
    out = []
    i = 0
    n = len(line)
    while i < n:
        if in_block:
            end = line.find("*/", i)
            if end < 0:
                out.append(" " * (n - i))
                return "".join(out), True
            out.append(" " * (end + 2 - i))
            i = end + 2
            in_block = False
            continue
        c = line[i]
        if line.startswith("//", i):
            out.append(" " * (n - i))
            break
        if line.startswith("/*", i):
            in_block = True
            continue
        if c == '"' or c == "'":
            j = i + 1
            while j < n and line[j] != c:
                j += 2 if line[j] == "\\" else 1
            j = min(j + 1, n)
            out.append(c + " " * (j - i - 2) + (c if j - i >= 2 else ""))
            i = j
            continue
        out.append(c)
        i += 1
    return "".join(out), in_block


NUMBER = re.compile(r"(?<![\w.])(\d+\.\d*f?|\d+f|\d+)(?![\w.])")
BINARY = re.compile(r" (<=|>=|==|!=|<|>|&&|\|\|) ")
SWAPS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==", "&&": "||", "||": "&&"}
COND = re.compile(r"\b(if|while) \(")
# One whole statement on its own line that only assigns, steps or calls (never a declaration,
# a return or a jump).
ASSIGN_OR_CALL = re.compile(
    r"^(\s*)((?:\+\+|--)?[A-Za-z_][\w.\->\[\]:]*(?:\([^;]*\))?"
    r"(?:\s*(?:=|\+=|-=|\*=|/=|%=|\|=|&=|\^=|<<=|>>=)\s*[^;]+|\+\+|--)?);\s*$"
)
CALL = re.compile(r"^(\s*)([A-Za-z_][\w.\->\[\]:]*\([^;]*\));\s*$")
KEYWORDS = {"return", "break", "continue", "goto", "case", "default", "delete", "throw", "else",
            "do", "using", "typedef", "static_assert"}


def balanced(text):
    depth = 0
    for c in text:
        if c in "([{":
            depth += 1
        elif c in ")]}":
            depth -= 1
            if depth < 0:
                return False
    return depth == 0


def number_variants(tok):
    if "." in tok or tok.endswith("f"):
        suffix = "f" if tok.endswith("f") else ""
        value = float(tok.rstrip("f"))
        variants = [value + 1, value - 1, 0.0, -value] if value != 0 else [1.0, -1.0]
        out = []
        for v in variants:
            s = repr(float(v))
            out.append(("(" + s + suffix + ")") if v < 0 else s + suffix)
        return [v for v in dict.fromkeys(out) if v != tok]
    value = int(tok)
    variants = [value + 1, value - 1, 0, -value] if value != 0 else [1, -1]
    out = [("(" + str(v) + ")") if v < 0 else str(v) for v in variants]
    return [v for v in dict.fromkeys(out) if v != tok]


def find_mutants(rel):
    with open(os.path.join(ROOT, rel), encoding="utf-8") as f:
        lines = f.read().split("\n")
    masked = []
    in_block = False
    for line in lines:
        m, in_block = mask_line(line, in_block)
        masked.append(m)
    mutants = []

    def add(index, col, op, mutated, span=1):
        original = "\n".join(lines[index:index + span])
        mutants.append(Mutant(rel, index + 1, col, op, original, mutated, span))

    depth = 0  # brace depth: statements live inside functions (depth >= 1)
    for i, (line, m) in enumerate(zip(lines, masked)):
        code = m.strip()
        at_depth = depth
        depth += m.count("{") - m.count("}")
        if not code or code.startswith("#"):
            continue
        declaration_only = code.startswith(("static_assert", "namespace", "template", "using",
                                            "enum ", "struct ", "class "))
        if declaration_only:
            continue
        # Numbers (skipped inside array sizes: `name[N]` in a declaration gives compile errors).
        for mt in NUMBER.finditer(m):
            tok = mt.group(1)
            before = m[:mt.start()]
            if re.search(r"\w\[$", before) and re.match(r"^\s*[\w:<>]+\s+\w+\[$", before):
                continue
            for v in number_variants(tok):
                add(i, mt.start(), "number", line[:mt.start()] + v + line[mt.end():])
        # Comparisons and logical operators (clang-format puts spaces around binary operators,
        # never inside template brackets).
        for mt in BINARY.finditer(m):
            tok = mt.group(1)
            new = SWAPS[tok]
            add(i, mt.start(1), "logical" if tok in ("&&", "||") else "compare",
                line[:mt.start(1)] + new + line[mt.end(1):])
        # Negated conditions: the whole parenthesis after if/while, when it closes on the line.
        for mt in COND.finditer(m):
            open_at = mt.end() - 1
            d = 0
            for j in range(open_at, len(m)):
                if m[j] == "(":
                    d += 1
                elif m[j] == ")":
                    d -= 1
                    if d == 0:
                        inner = line[open_at + 1:j]
                        add(i, open_at, "negate",
                            line[:open_at + 1] + "!(" + inner + ")" + line[j:])
                        break
        # A deleted statement.
        if at_depth >= 1:
            st = ASSIGN_OR_CALL.match(m)
            if st and balanced(st.group(2)):
                first = re.match(r"[A-Za-z_]\w*", st.group(2).lstrip("+-"))
                if not (first and first.group(0) in KEYWORDS):
                    indent = st.group(1)
                    add(i, len(indent), "delete", indent + ";")
        # Two adjacent calls swapped.
        if at_depth >= 1 and i + 1 < len(lines):
            a = CALL.match(m)
            b = CALL.match(masked[i + 1])
            if a and b and a.group(1) == b.group(1) and balanced(a.group(2)) and \
                    balanced(b.group(2)) and lines[i].strip() != lines[i + 1].strip():
                add(i, len(a.group(1)), "swap", lines[i + 1] + "\n" + lines[i], span=2)
    # The id stays the same when other lines move. Identical lines give identical changes, so
    # the second and later of them (in file order) add their occurrence index; the first keeps
    # the id it had before the index existed.
    seen = {}
    for mu in mutants:
        key = f"{mu.file}|{mu.original.strip()}|{mu.col}|{mu.op}|{mu.mutated.strip()}"
        occurrence = seen.get(key, 0)
        seen[key] = occurrence + 1
        if occurrence:
            key += f"|{occurrence}"
        mu.ident = hashlib.sha1(key.encode()).hexdigest()[:10]
    return mutants


def source_files(path):
    full = os.path.join(ROOT, path)
    if os.path.isfile(full):
        return [os.path.relpath(full, ROOT)] if full.endswith(".cpp") else []
    out = []
    for base, _, names in os.walk(full):
        out += [os.path.relpath(os.path.join(base, n), ROOT) for n in names if n.endswith(".cpp")]
    return sorted(out)


def load_equivalents():
    path = os.path.join(HERE, "equivalent.txt")
    known = {}
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                line = line.strip()
                if line and not line.startswith("#"):
                    ident = line.split()[0]
                    reason = line.split(" -- ", 1)[1] if " -- " in line else ""
                    known[ident] = reason
    return known


# ---------------------------------------------------------------------------------------------
# Building and running


def run(cmd, cwd, timeout=None, shell=False):
    start = time.monotonic()
    proc = subprocess.Popen(cmd, cwd=cwd, shell=shell, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, text=True, errors="replace",
                            start_new_session=True)
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, out, time.monotonic() - start
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.communicate()
        return None, "", time.monotonic() - start
    except BaseException:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.communicate()
        raise


class Builder:
    """The mutants' own build folder, built once unmutated; per mutant one compile and one link,
    both into a scratch folder."""

    def __init__(self, build, scratch):
        self.build = os.path.abspath(build)
        self.scratch = scratch
        self.tests_dir = os.path.join(self.build, "tests")
        self.quick = {}  # area -> its tests that ran in under QUICK_SECONDS unmutated

    def prepare(self, jobs):
        linker = []
        if shutil.which("ld.gold"):
            linker = ["-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=gold"]
        cmd = ["cmake", "-S", ROOT, "-B", self.build, "-DCMAKE_BUILD_TYPE=Release",
               "-DCMAKE_CXX_FLAGS_RELEASE=-O1", "-DCMAKE_EXPORT_COMPILE_COMMANDS=ON"] + linker
        code, out, _ = run(cmd, ROOT)
        if code != 0:
            sys.exit("cmake failed:\n" + out)
        code, out, _ = run(["cmake", "--build", self.build, "-j", str(jobs), "--target",
                            TEST_TARGET], ROOT)
        if code != 0:
            sys.exit("the unmutated build failed:\n" + out[-4000:])
        with open(os.path.join(self.build, "compile_commands.json")) as f:
            self.commands = {os.path.relpath(e["file"], ROOT): e for e in json.load(f)}
        with open(os.path.join(self.tests_dir, "CMakeFiles", TEST_TARGET + ".dir",
                               "link.txt")) as f:
            self.link = f.read().strip()
        self.library = os.path.join(self.build, "libpebblefrost_game.a")
        if "../libpebblefrost_game.a" not in self.link:
            sys.exit("the test program's link line does not name ../libpebblefrost_game.a")

    def compile(self, mu, text):
        entry = self.commands.get(mu.file)
        if not entry:
            return False, f"no compile command for {mu.file}"
        base = os.path.basename(mu.file)
        src = os.path.join(self.scratch, base)
        obj = os.path.join(self.scratch, "obj", base + ".o")
        os.makedirs(os.path.dirname(obj), exist_ok=True)
        with open(src, "w", encoding="utf-8") as f:
            f.write(text)
        args = shlex.split(entry["command"])
        out = []
        skip = 0
        for a in args:
            if skip:
                skip -= 1
                continue
            if a in ("-MT", "-MF", "-o"):
                skip = 1
                continue
            if a in ("-MD", "-MMD", "-c") or a == entry["file"]:
                continue
            out.append(a)
        out += ["-iquote", os.path.dirname(os.path.join(ROOT, mu.file)), "-w", "-c", src, "-o", obj]
        code, log, _ = run(out, entry["directory"])
        return code == 0, log

    def relink(self, mu):
        base = os.path.basename(mu.file)
        obj = os.path.join(self.scratch, "obj", base + ".o")
        lib = os.path.join(self.scratch, "libpebblefrost_game.a")
        shutil.copyfile(self.library, lib)
        code, log, _ = run(["ar", "r", lib, obj], self.scratch)
        if code != 0:
            return False, log
        exe = os.path.join(self.scratch, TEST_TARGET)
        line = self.link.replace("../libpebblefrost_game.a", shlex.quote(lib))
        line = re.sub(r"-o\s+" + TEST_TARGET + r"\b", "-o " + shlex.quote(exe), line)
        code, log, _ = run(line, self.tests_dir, shell=True)
        return code == 0, log

    def test(self, exe, area, timeout, new_tests="", timings=None):
        """Runs the area's quick tests, the rest of the area's tests, then the rest of the fast
        suite, then the tests named as new; 'killed' at the first failure (by_new when only a
        new test failed), 'timeout' past the limit, else 'survived'. With `timings` (a dict),
        each test's time is recorded there instead (for the unmutated run)."""
        out_of_run = ":".join(SLOW_TESTS + ([new_tests] if new_tests else []))
        first = ":".join(AREA_TESTS.get(area, []))
        quick = ":".join(self.quick.get(area, []))
        stages = []
        if quick:
            stages.append(quick)
            out_of_run += ":" + quick
        if first:
            stages.append(first + "-" + out_of_run)
            stages.append("*-" + first + ":" + out_of_run)
        else:
            stages.append("*-" + out_of_run)
        if new_tests:
            stages.append(new_tests + "-" + ":".join(SLOW_TESTS))
        left = timeout
        for n, filt in enumerate(stages):
            by_new = bool(new_tests) and n == len(stages) - 1
            record = []
            if timings is not None:
                record = ["--gtest_output=json:" + os.path.join(self.scratch, "timings.json")]
            code, out, took = run([exe, "--gtest_fail_fast", "--gtest_brief=1",
                                   "--gtest_filter=" + filt] + record, self.build, timeout=left)
            if timings is not None and code is not None:
                timings.update(read_timings(record[0].split(":", 1)[1]))
            if code is None:
                return "timeout", "", by_new
            if code != 0:
                failed = re.findall(r"\[  FAILED  \] (\S+)", out)
                return "killed", (failed[0] if failed else f"exit status {code}"), by_new
            left -= took
            if left <= 0:
                return "timeout", "", by_new
        return "survived", "", False


def matches(name, patterns):
    return any(fnmatch.fnmatchcase(name, p) for p in patterns if p)


def read_timings(path):
    """Test name -> seconds from a GoogleTest JSON report."""
    out = {}
    try:
        with open(path, encoding="utf-8") as f:
            report = json.load(f)
    except (OSError, ValueError):
        return out
    for suite in report.get("testsuites", []):
        for t in suite.get("testsuite", []):
            if t.get("status") == "RUN":
                out[f"{suite['name']}.{t['name']}"] = float(str(t.get("time", "0")).rstrip("s"))
    return out


def area_of(rel):
    for area in AREA_TESTS:
        if rel.startswith(area + "/"):
            return area
    return ""


def apply(mu):
    with open(os.path.join(ROOT, mu.file), encoding="utf-8") as f:
        lines = f.read().split("\n")
    i = mu.line - 1
    if "\n".join(lines[i:i + mu.span]) != mu.original:
        raise RuntimeError(f"{mu.file}:{mu.line} changed since the mutants were listed")
    lines[i:i + mu.span] = mu.mutated.split("\n")
    return "\n".join(lines)


# ---------------------------------------------------------------------------------------------
# Report


def write_report(path, mutants, args, elapsed, per_mutant):
    by_file = {}
    for mu in mutants:
        by_file.setdefault(mu.file, []).append(mu)

    def score(group, without_new=False):
        killed = sum(1 for m in group if m.status in ("killed", "timeout") and
                     not (without_new and m.by_new))
        survived = sum(1 for m in group if m.status in ("killed", "timeout", "survived")) - killed
        total = killed + survived
        return killed, survived, total, (100.0 * killed / total if total else 100.0)

    lines = ["# Mutation report", "",
             f"Paths: {' '.join(args.mutate)}; sample {args.sample or 'all'} per path; "
             f"seed {args.seed}; {len(mutants)} mutants; {elapsed / 60:.1f} min "
             f"({per_mutant:.1f} s per run mutant).", "",
             "Score = killed / (killed + survived); equivalent mutants and those that do not "
             "compile are left out. Tests not run: " + ":".join(SLOW_TESTS) + ".", ""]
    if args.compare_new:
        lines += [f"Tests compared (run last, on survivors only): {args.compare_new}. "
                  "'Without' is the score of the suite without them.", ""]
    lines += [
             "| File | Killed | Survived | Equivalent | Not compiled | Score |",
             "|---|---|---|---|---|---|"]
    folders = {}
    for f in sorted(by_file):
        group = by_file[f]
        folders.setdefault(os.path.dirname(f), []).extend(group)
        k, s, _, pct = score(group)
        eq = sum(1 for m in group if m.status == "equivalent")
        nc = sum(1 for m in group if m.status == "stillborn")
        lines.append(f"| {f} | {k} | {s} | {eq} | {nc} | {pct:.0f} % |")
    lines += ["", "| Folder | Killed | Survived | Equivalent | Not compiled | Score | Without |",
              "|---|---|---|---|---|---|---|"]
    for d in sorted(folders):
        group = folders[d]
        k, s, _, pct = score(group)
        eq = sum(1 for m in group if m.status == "equivalent")
        nc = sum(1 for m in group if m.status == "stillborn")
        _, _, _, before = score(group, without_new=True)
        lines.append(f"| {d} | {k} | {s} | {eq} | {nc} | {pct:.0f} % | {before:.0f} % |")
    k, s, _, pct = score(mutants)
    _, _, _, before = score(mutants, without_new=True)
    lines += ["", f"All: {k} killed, {s} survived, score {pct:.1f} % (without the compared "
              f"tests {before:.1f} %).", "", "## Survivors", ""]
    for mu in mutants:
        if mu.status == "survived":
            lines.append(f"- `{mu.ident}` {mu.file}:{mu.line} ({mu.op}): `{mu.change()}`")
    lines += ["", "## Killed (first failing test)", ""]
    for mu in mutants:
        if mu.status in ("killed", "timeout"):
            lines.append(f"- `{mu.ident}` {mu.file}:{mu.line} ({mu.op}) {mu.status}: "
                         f"{mu.detail or 'time limit'}" + (" (compared tests only)" if mu.by_new
                                                           else ""))
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


# ---------------------------------------------------------------------------------------------


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--mutate", nargs="*", default=DEFAULT_PATHS,
                    help="files or folders (relative to the repository)")
    ap.add_argument("--sample", type=int, default=0, help="mutants per path (0 = all)")
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--build", default=os.path.join(ROOT, "build-mutants"))
    ap.add_argument("--report", default="")
    ap.add_argument("--timeout", type=float, default=0,
                    help="seconds per mutant's test run (default: 3 x the slowest unmutated "
                    "run + 10)")
    ap.add_argument("--jobs", type=int, default=os.cpu_count() or 1,
                    help="parallel jobs of the first, unmutated build")
    ap.add_argument("--list", action="store_true", help="list the chosen mutants and stop")
    ap.add_argument("--match", default="",
                    help="only mutants whose 'file:line change' matches this regular expression")
    ap.add_argument("--ids", default="",
                    help="only these mutants (ids joined by ','), e.g. the survivors of a report")
    ap.add_argument("--compare-new", default="",
                    help="tests (GoogleTest patterns joined by ':') run last, only on survivors; "
                    "the report gives the score without them and with them")
    ap.add_argument("--exclude", default="",
                    help="more tests to leave out, as GoogleTest patterns joined by ':'")
    args = ap.parse_args()
    if args.exclude:
        SLOW_TESTS.extend(args.exclude.split(":"))

    chosen = []
    for path in args.mutate:
        path = os.path.relpath(os.path.join(ROOT, path), ROOT)
        files = source_files(path)
        if not files:
            sys.exit(f"no .cpp file under {path}")
        pool = [mu for f in files for mu in find_mutants(f)]
        if args.match:
            pool = [mu for mu in pool if re.search(args.match, f"{mu.file}:{mu.line} {mu.change()}")]
        if args.ids:
            pool = [mu for mu in pool if mu.ident in args.ids.split(",")]
        if args.sample and args.sample < len(pool):
            pool = random.Random(f"{args.seed}:{path}").sample(pool, args.sample)
        chosen += sorted(pool, key=lambda m: (m.file, m.line, m.col, m.op, m.mutated))
    equivalents = load_equivalents()
    for mu in chosen:
        if mu.ident in equivalents:
            mu.status, mu.detail = "equivalent", equivalents[mu.ident]

    if args.list:
        for mu in chosen:
            mark = " [equivalent]" if mu.status == "equivalent" else ""
            print(f"{mu.ident} {mu.file}:{mu.line} {mu.op}: {mu.change()}{mark}")
        print(f"{len(chosen)} mutants", file=sys.stderr)
        return 0

    report = args.report or os.path.join(args.build, "mutants-report.md")
    scratch = tempfile.mkdtemp(prefix="pebblefrost_mutants_")
    started = time.monotonic()
    try:
        builder = Builder(args.build, scratch)
        print(f"building the unmutated test program in {args.build} ...", flush=True)
        builder.prepare(args.jobs)
        exe = os.path.join(builder.tests_dir, TEST_TARGET)
        # Every filter a mutant's run uses must pass unmutated: a test that fails only after
        # certain others would otherwise "catch" every mutant.
        slowest = 0.0  # the longest of the unmutated runs, one per area
        for area in sorted({area_of(mu.file) for mu in chosen}):
            t0 = time.monotonic()
            timings = {}
            status, detail, _ = builder.test(exe, area, 3600, args.compare_new, timings)
            if status != "survived":
                sys.exit(f"the unmutated suite fails ({detail or status}) with the filters of "
                         f"{area or 'the whole suite'}; fix that first")
            slowest = max(slowest, time.monotonic() - t0)
            # Most mutants are caught by one of the area's quick tests: those run first (and
            # must pass on their own too).
            builder.quick[area] = sorted(
                name for name, seconds in timings.items()
                if seconds <= QUICK_SECONDS and matches(name, AREA_TESTS.get(area, []))
                and not matches(name, SLOW_TESTS + args.compare_new.split(":")))
            if builder.quick[area]:
                code, out, _ = run([exe, "--gtest_brief=1",
                                    "--gtest_filter=" + ":".join(builder.quick[area])],
                                   builder.build, timeout=3600)
                if code != 0:
                    sys.exit(f"the quick tests of {area} fail on their own:\n" + out[-2000:])
        timeout = args.timeout or 3 * slowest + 10
        print(f"unmutated runs passed; time limit per mutant {timeout:.0f} s; "
              f"{len(chosen)} mutants", flush=True)
        ran = 0
        run_started = time.monotonic()
        for n, mu in enumerate(chosen, 1):
            if mu.status == "equivalent":
                continue
            t0 = time.monotonic()
            ok, log = builder.compile(mu, apply(mu))
            if not ok:
                mu.status, mu.detail = "stillborn", log.strip().split("\n")[0][:200]
            else:
                ok, log = builder.relink(mu)
                if not ok:
                    mu.status, mu.detail = "stillborn", "link: " + log.strip()[:200]
                else:
                    mu.status, mu.detail, mu.by_new = builder.test(
                        os.path.join(scratch, TEST_TARGET), area_of(mu.file), timeout,
                        args.compare_new)
                    ran += 1
            mu.seconds = time.monotonic() - t0
            print(f"[{n}/{len(chosen)}] {mu.status:9} {mu.seconds:5.1f} s  {mu.file}:{mu.line} "
                  f"{mu.op}: {mu.change()[:100]}", flush=True)
        per = (time.monotonic() - run_started) / ran if ran else 0.0
    except KeyboardInterrupt:
        print("interrupted; the report covers the mutants run so far", file=sys.stderr)
        per = 0.0
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    write_report(report, chosen, args, time.monotonic() - started, per)
    print(f"report: {report}")
    print(open(report, encoding="utf-8").read().split("## Survivors")[0])
    return 0


if __name__ == "__main__":
    sys.exit(main())
