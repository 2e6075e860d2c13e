"""Late-binding client for the qorLOMBARv3.00 catalog object model.

    import lombar
    infos = lombar.Dispatch("qorkwz_LOMBARv3.ICatInfoCol")
    key = lombar.ByRef("")
    infos.Add("RULE", "1", "C1", "Cash only", "", "", True, "", key)
    first = infos.Item(1)
    print(first.Desc, len(infos), [info.Code for info in infos])

help(object) lists the members of the object's class, with their parameters.

The library file is found through the environment variable LOMBAR_LIBRARY,
else beside this package, else under the install prefix (lib/ of the prefix
the package is installed under, of the interpreter's, /usr/local and /usr),
else in build/ at the repository root.
"""

from ._errors import ComError
from ._events import WithEvents
from ._json import from_json, to_json
from ._library import (can_unload_now, class_ids, classes, constants, register, typelib,
                       unregister)
from ._objects import Dispatch, Object, class_name, dispid, invoke, members, supports
from ._values import ByRef, Null
from ._version import __version__

__all__ = [
    "ByRef",
    "ComError",
    "Dispatch",
    "Null",
    "Object",
    "WithEvents",
    "can_unload_now",
    "class_ids",
    "class_name",
    "classes",
    "constants",
    "dispid",
    "from_json",
    "invoke",
    "members",
    "register",
    "supports",
    "to_json",
    "typelib",
    "unregister",
]
