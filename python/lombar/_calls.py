"""The call path the package uses: the C extension _fastcall when it was
built and LOMBAR_PURE is not set, else the same path in Python over ctypes
(_purecall). Both have the same names and behave the same."""

import os

from . import _purecall

if os.environ.get("LOMBAR_PURE"):
    from ._purecall import *  # noqa: F401,F403
else:
    try:
        from ._fastcall import *  # noqa: F401,F403
    except ImportError:  # not built: no compiler when the package was installed
        from ._purecall import *  # noqa: F401,F403

if configure is not _purecall.configure:  # noqa: F405
    _configure_path = configure  # noqa: F405

    def configure(*hooks):
        """Hands the package's hooks to the C extension and to _purecall, whose
        take() and peek() read event arguments and parameter defaults on
        either path."""
        _purecall.configure(*hooks)
        _configure_path(*hooks)
