"""Times the package's call path: a property get and let, a method call with
arguments, an object made and released, and a 20,000-item collection built
from Python (each item made, three properties set and a price added, added under a key).

    PYTHONPATH=python LOMBAR_LIBRARY=build/qorLOMBARv3.00.so python3 python/bench/calls.py

LOMBAR_PURE=1 times the ctypes path instead of the C extension. Each figure
is the best of five runs, in microseconds of processor time an operation
(processor time, so that other work on the machine counts less).
"""

import os
import sys
import time
import timeit

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir))

import lombar  # noqa: E402

ITEMS = 20000


def build_collection():
    items = lombar.Dispatch("ICatItemCol")
    for number in range(ITEMS):
        item = lombar.Dispatch("ICatItem")
        item.LineCode = "FLT"
        item.ItemNumber = "PF%05d" % number
        item.Description = "Air Filter"
        item.PriceCol.Add("D1", "Main St", "1001", "6", "12.92", "19.99")
        items.Add(item, "FLT%05d" % number)
    return items


def best(statement, number, setup="pass"):
    """The best of five runs of `number` calls, in microseconds a call."""
    namespace = {"lombar": lombar, "build_collection": build_collection}
    exec(setup, namespace)
    times = timeit.repeat(statement, number=number, repeat=5, globals=namespace,
                          timer=time.process_time)
    return min(times) / number * 1e6


CASES = [
    ("property get (Long)", "infos.Count", 200000,
     "infos = lombar.Dispatch('ICatInfoCol')"),
    ("property get (String)", "info.Desc", 200000,
     "info = lombar.Dispatch('ICatInfo'); info.Desc = 'Cash only'"),
    ("property let (String)", "info.Desc = 'Cash only'", 200000,
     "info = lombar.Dispatch('ICatInfo')"),
    ("method, 2 arguments", "lists.Exists('I#7')", 200000,
     "lists = lombar.Dispatch('ICatListCol'); lists.Add('Brakes', 7)"),
    ("Dispatch and release", "lombar.Dispatch('ICatItem')", 100000, "pass"),
    ("20,000-item collection, an item", "build_collection()", 1, "pass"),
]


def main():
    path = getattr(lombar, "_calls", None)
    print("call path:", getattr(path, "PATH", "ctypes"))
    for title, statement, number, setup in CASES:
        micros = best(statement, number, setup)
        if statement == "build_collection()":
            micros /= ITEMS
        print("%-34s %8.2f us" % (title, micros))


if __name__ == "__main__":
    main()
