"""Late-binding client for the qorLOMBARv3.00 catalog object model.

    import lombar
    infos = lombar.Dispatch("qorkwz_LOMBARv3.ICatInfoCol")
    key = lombar.ByRef("")
    infos.Add("RULE", "1", "C1", "Cash only", "", "", True, "", key)
    first = infos.Item(1)
    print(first.Desc, len(infos), [info.Code for info in infos])

The library file is found through the environment variable LOMBAR_LIBRARY,
else beside this package, else in build/ at the repository root.
"""

from ._errors import ComError
from ._events import WithEvents
from ._library import can_unload_now, class_ids, constants, register, typelib, unregister
from ._objects import Dispatch, Object, class_name, dispid, invoke, members, supports
from ._values import ByRef, Null

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
    "constants",
    "dispid",
    "invoke",
    "members",
    "register",
    "supports",
    "typelib",
    "unregister",
]
