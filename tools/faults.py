#!/usr/bin/env python3
"""Deliberate one-line faults, to see which tests catch them.

    tools/faults.py [--e2e] [--target linux|win32] [ID...]

Copies the committed tree into a scratch work tree, builds it once (for Linux,
or cross-built for Windows and tested under Wine), then for each fault of
tools/faults.txt meant for that target: applies it, rebuilds, runs the CTest
suites and (with --e2e) the desktop end-to-end cases when CTest missed it, and
restores the file. Prints one row per fault: which suites failed, i.e. caught
it. A fault whose text is not found exactly once is reported as stale: fix the
table.
"""
import argparse
import json
import os
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def read_faults(path):
    """Blocks of "## id: what", "file: path", "- old", "+ new"."""
    faults, current = [], None
    for line in open(path, encoding="utf-8"):
        line = line.rstrip("\n")
        if line.startswith("## "):
            ident, _, what = line[3:].partition(":")
            current = {"id": ident.strip(), "what": what.strip(), "old": None, "new": None, "targets": ["linux"]}
            faults.append(current)
        elif current and line.startswith("file: "):
            current["file"] = line[6:].strip()
        elif current and line.startswith("targets: "):
            current["targets"] = line[9:].split()
        elif current and line.startswith("- "):
            current["old"] = line[2:]
        elif current and line.startswith("+ "):
            current["new"] = line[2:]
    return faults


def run(cmd, cwd, log, env=None):
    with open(log, "a", encoding="utf-8") as out:
        out.write("$ " + " ".join(cmd) + "\n")
        out.flush()
        return subprocess.run(cmd, cwd=cwd, stdout=out, stderr=subprocess.STDOUT, env=env).returncode


def suites_failed(tree, build, log):
    """The test programs with a failing test (unit_tests, qt_tests, ...)."""
    listing = subprocess.run(["ctest", "--test-dir", build, "--show-only=json-v1"], capture_output=True, text=True)
    program = {}
    for test in json.loads(listing.stdout)["tests"]:
        # The last word of the command that names a built program, past any emulator.
        words = [w for w in test.get("command", []) if w.startswith(build)]
        program[test["name"]] = os.path.basename(words[-1]) if words else test["name"]
    junit = os.path.join(build, "faults-ctest.xml")
    run(["ctest", "--test-dir", build, "-j2", "--timeout", "120", "--output-junit", junit], tree, log)
    failed = set()
    if os.path.exists(junit):
        for name, status in re.findall(r'<testcase name="([^"]*)"[^>]*status="(\w+)"', open(junit).read()):
            if status != "run":
                failed.add(program.get(name.replace("&quot;", '"'), name))
        os.remove(junit)
    return failed


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("ids", nargs="*")
    parser.add_argument("--e2e", action="store_true", help="run the desktop cases when CTest misses")
    parser.add_argument("--target", default="linux", choices=["linux", "win32"])
    parser.add_argument("--table", default=os.path.join(ROOT, "tools", "faults.txt"))
    parser.add_argument("--cmake", nargs="*", default=[], help="extra CMake options")
    parser.add_argument("--commit", default="HEAD", help="the commit to apply the faults to")
    args = parser.parse_args()
    faults = [f for f in read_faults(args.table)
              if (f["id"] in args.ids if args.ids else args.target in f["targets"])]

    tree = tempfile.mkdtemp(prefix="tovu-faults-")
    subprocess.run(f"git -C '{ROOT}' archive '{args.commit}' | tar -x -C '{tree}'", shell=True, check=True)
    build = os.path.join(tree, "build")
    log = os.path.join(tree, "faults.log")
    print(f"work tree {tree}, log {log}", flush=True)
    configure = ["cmake", "-S", ".", "-B", build, "-DTOVU_WERROR=OFF", "-DTOVU_BENCH=OFF"] + args.cmake
    if args.target == "win32":
        # The Win32 back end in the program's own width, or in 64 bits where no 32-bit program runs.
        try:
            wine32 = os.environ.get("TOVU_WINE64_ONLY") != "1" and subprocess.run(
                ["/usr/lib/wine/wine", "--version"], capture_output=True).returncode == 0
        except OSError:  # "Exec format error"
            wine32 = False
        configure.append(f"-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-{'i686' if wine32 else 'x86_64'}.cmake")
    if run(configure, tree, log) or run(["cmake", "--build", build, "-j2"], tree, log):
        sys.exit("the unchanged tree does not build; see " + log)
    if suites_failed(tree, build, log):
        sys.exit("the unchanged tree fails its tests; see " + log)

    caught = 0
    for fault in faults:
        path = os.path.join(tree, fault["file"])
        text = open(path, encoding="utf-8").read()
        if fault["old"] is None or text.count(fault["old"]) != 1:
            print(f"{fault['id']:<4} STALE   {fault['what']} ({fault['file']})", flush=True)
            continue
        open(path, "w", encoding="utf-8").write(text.replace(fault["old"], fault["new"]))
        with open(log, "a") as out:
            out.write(f"\n===== fault {fault['id']}: {fault['what']}\n")
        if run(["cmake", "--build", build, "-j2"], tree, log):
            by = ["(build)"]
        else:
            by = sorted(suites_failed(tree, build, log))
            if not by and args.e2e:
                cmd = [os.path.join(tree, "tests", "e2e", "run_all.sh"), build]
                env = dict(os.environ, E2E_TARGET="wine" if args.target == "win32" else "linux")
                if run(cmd, tree, log, env):
                    by = ["e2e"]
                # GNOME's compositor, where the host runs it (77: it cannot).
                elif args.target == "linux":
                    cmd = [os.path.join(tree, "tests", "e2e", "gnome.sh"), build]
                    by = [] if run(cmd, tree, log) in (0, 77) else ["e2e on GNOME"]
        open(path, "w", encoding="utf-8").write(text)
        caught += bool(by)
        print(f"{fault['id']:<4} {'caught' if by else 'MISSED':<7} {fault['what']} ({fault['file']})"
              f"{': ' + ', '.join(by) if by else ''}", flush=True)
    print(f"{caught} of {len(faults)} faults caught", flush=True)


if __name__ == "__main__":
    main()
