import concurrent.futures
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import types

import pytest

PYTHON_DIR = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, PYTHON_DIR)


def _build_extension():
    """The C extension built in place, as pip builds it, so that the tests run
    on its call path; with LOMBAR_PURE set they run on the ctypes path."""
    if os.environ.get("LOMBAR_PURE"):
        return
    done = subprocess.run([sys.executable, "setup.py", "-q", "build_ext", "--inplace"],
                          cwd=PYTHON_DIR, capture_output=True, text=True, timeout=600)
    # The extension is optional, so a failed compile still exits 0 and leaves
    # the last good build in place: a build older than its sources is a failure.
    here = pathlib.Path(PYTHON_DIR)
    sources = (here / "setup.py", here / "src/fastcall.c", here.parent / "include/lombar/lombar.h")
    newest = max(path.stat().st_mtime for path in sources if path.exists())
    if done.returncode != 0 or not any(
            built.stat().st_mtime >= newest for built in (here / "lombar").glob("_fastcall*.so")):
        raise RuntimeError("building the C extension failed:\n" + done.stdout + done.stderr)


_build_extension()

# Error logs go to a folder of the test run's own, not beside the library.
_LOG_DIR = tempfile.mkdtemp(prefix="lombar-logs-")
os.environ["LOMBAR_LOG_DIR"] = _LOG_DIR

import lombar  # noqa: E402


def pytest_unconfigure(config):
    shutil.rmtree(_LOG_DIR, ignore_errors=True)


def fails(number, call, *args, **kwargs):
    """Calls call(*args, **kwargs), expects a ComError with `number` and returns it."""
    with pytest.raises(lombar.ComError) as raised:
        call(*args, **kwargs)
    assert raised.value.number == number, raised.value
    return raised.value


@pytest.fixture
def worker():
    """worker() starts a new thread; its call(job) runs job there and returns what job returns."""
    pools = []

    def start():
        pools.append(concurrent.futures.ThreadPoolExecutor(max_workers=1))
        return types.SimpleNamespace(call=lambda job, pool=pools[-1]: pool.submit(job).result(60))

    yield start
    for pool in pools:
        pool.shutdown()
