import concurrent.futures
import os
import shutil
import sys
import tempfile
import types

import pytest

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

# Error logs go to a folder of the test run's own, not beside the library.
_LOG_DIR = tempfile.mkdtemp(prefix="lombar-logs-")
os.environ["LOMBAR_LOG_DIR"] = _LOG_DIR

import lombar  # noqa: E402


def pytest_unconfigure(config):
    shutil.rmtree(_LOG_DIR, ignore_errors=True)


def fails(number, call, *args):
    """Calls call(*args), expects a ComError with `number` and returns it."""
    with pytest.raises(lombar.ComError) as raised:
        call(*args)
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
