"""The package's optional C extension, lombar._fastcall: the call path at
native speed. Without a compiler (or Python's headers) the build leaves it
out and the package uses the same path in Python over ctypes.

The extension builds without the library's header; built from the
repository, it is checked against the header's variant layout."""

import os

from setuptools import Extension, setup

HEADERS = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "include")
checked = os.path.exists(os.path.join(HEADERS, "lombar", "lombar.h"))

setup(ext_modules=[Extension(
    "lombar._fastcall", ["src/fastcall.c"], optional=True,
    include_dirs=[HEADERS] if checked else [],
    define_macros=[("LOMBAR_CHECK_HEADER", None)] if checked else [])])
