"""The package's optional C extension, lombar._fastcall: the call path at
native speed. Without a compiler (or Python's headers) the build leaves it
out and the package uses the same path in Python over ctypes."""

from setuptools import Extension, setup

setup(ext_modules=[Extension("lombar._fastcall", ["src/fastcall.c"], optional=True)])
