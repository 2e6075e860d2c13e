import os
import queue
import shutil
import sys
import tempfile
import threading

import pytest

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

# Error logs go to a folder of the test run's own, not beside the library.
_LOG_DIR = tempfile.mkdtemp(prefix="lombar-logs-")
os.environ["LOMBAR_LOG_DIR"] = _LOG_DIR

import lombar  # noqa: E402


def pytest_unconfigure(config):
    shutil.rmtree(_LOG_DIR, ignore_errors=True)


class Worker(threading.Thread):
    """A new thread that runs the functions handed to call(), one at a time."""

    def __init__(self):
        super().__init__(daemon=True)
        self.jobs, self.answers = queue.Queue(), queue.Queue()
        self.start()

    def run(self):
        for job in iter(self.jobs.get, None):
            try:
                self.answers.put((True, job()))
            except BaseException as error:
                self.answers.put((False, error))

    def call(self, job):
        self.jobs.put(job)
        ok, value = self.answers.get(timeout=60)
        if not ok:
            raise value
        return value


@pytest.fixture
def worker():
    workers = []
    yield lambda: workers.append(Worker()) or workers[-1]
    for started in workers:
        started.jobs.put(None)


def add_info(infos, code, key="", default=False):
    return infos.Add("RULE", "L" + code, code, "desc", "text", "tag", default, "bold", key)


@pytest.fixture
def infos():
    """Records C1 (key K1), C2 (no key) and C3 (key K3, the default)."""
    collection = lombar.Dispatch("ICatInfoCol")
    for code, key, default in (("C1", "K1", False), ("C2", "", False), ("C3", "K3", True)):
        add_info(collection, code, key, default)
    return collection
