"""Runs the suite under a fresh Xvfb: run.py [BIN_FOLDER | ZIP | TARBALL] [TEST_NAME_PATTERN...]
With the Windows package ZIP, mapwren.exe unpacked from it runs under Wine (in
the WINEPREFIX of the environment) with the stand-in from build/mingw/bin; with
the Linux package TARBALL, mapwren unpacked from it, with the stand-in from build/bin.
The last line is "N passed, N failed"; the exit status is 1 on any failure."""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.dont_write_bytecode = True   # no __pycache__ in the source tree

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402


class CountingResult(unittest.TextTestResult):
    """Counts each sub-case of a table as one case."""

    def __init__(self, *args, **kwargs):
        super().__init__(*args, **kwargs)
        self.passed, self.failed, self.tables = 0, 0, set()

    def addSubTest(self, test, subtest, err):
        super().addSubTest(test, subtest, err)
        self.tables.add(test.id())
        if err is None:
            self.passed += 1
        else:
            self.failed += 1

    def addSuccess(self, test):
        super().addSuccess(test)
        self.passed += test.id() not in self.tables

    def addFailure(self, test, err):
        super().addFailure(test, err)
        self.failed += 1

    def addError(self, test, err):
        super().addError(test, err)
        self.failed += 1


def platform(program, unpacked):
    if program.endswith(".tar.gz"):
        return harness.tarball(program, unpacked)
    if not program.endswith(".zip"):
        return harness.linux(os.path.abspath(program))
    mingw_bin = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "build", "mingw", "bin")
    return harness.wine(program, unpacked, os.path.abspath(mingw_bin))


def main():
    unpacked = tempfile.mkdtemp(prefix="mapwren-package-")
    harness.PLATFORM = platform(sys.argv[1] if len(sys.argv) > 1 else "build/bin", unpacked)
    patterns = sys.argv[2:] or None
    display = harness.Xvfb()
    os.environ["DISPLAY"] = display.display
    os.environ.pop("WAYLAND_DISPLAY", None)
    os.environ["QT_QPA_PLATFORM"] = "xcb"
    resources = os.path.join(unpacked, "xterm-resources")
    with open(resources, "w") as f:
        f.write(harness.XTERM_RESOURCES)
    os.environ["XENVIRONMENT"] = resources
    started = time.monotonic()
    try:
        loader = unittest.TestLoader()
        loader.testNamePatterns = patterns and [f"*{p}*" for p in patterns]
        suite = loader.discover(os.path.dirname(os.path.abspath(__file__)), pattern="test_*.py")
        result = unittest.TextTestRunner(resultclass=CountingResult, verbosity=2).run(suite)
    finally:
        if harness.PLATFORM.name == "wine":
            subprocess.run(["wineserver", "-k"])   # Wine's own processes, and any the program left
        display.stop()
        shutil.rmtree(unpacked, ignore_errors=True)
    print(f"took {time.monotonic() - started:.0f} s")
    print(f"{result.passed} passed, {result.failed} failed, {len(result.skipped)} skipped")
    return 1 if result.failed or not result.wasSuccessful() else 0


if __name__ == "__main__":
    sys.exit(main())
