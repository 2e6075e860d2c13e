"""The JSON form of an object's XML, both ways, as the library makes it."""

import ctypes

from . import _native
from ._errors import CLASS_NOT_AVAILABLE, _take_string, check, encode_name
from ._objects import Dispatch, class_name


def _convert(name, text, to_json):
    out = ctypes.c_void_p()
    check(_native.lib().lombar_convert_json(
        encode_name(name, CLASS_NOT_AVAILABLE), str(text).encode("utf-8", "surrogateescape"),
        1 if to_json else 0, ctypes.byref(out)), name=name)
    return _take_string(out.value)


def to_json(target):
    """The object's XML as JSON: values under their XML names, numbers and
    flags as JSON numbers and Booleans, collections as arrays in order."""
    return _convert(class_name(target), target.XML, True)


def from_json(text, class_name):
    """A new object of the class (a bare class name) read from its JSON;
    error 13 for bad JSON, naming its line and column."""
    xml = _convert(class_name, text, False)
    created = Dispatch(class_name)
    created.XML = xml
    return created
