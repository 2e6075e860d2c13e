"""The library as a whole: its type library, constants, class ids,
registration and unload query."""

import ctypes

from . import _native
from ._errors import CLASS_NOT_AVAILABLE, check, encode_name


def class_ids(class_name):
    """(class id, default interface id) of a class, as upper-case texts in braces."""
    clsid = _native.Guid()
    iid = _native.Guid()
    check(_native.lib().lombar_class_ids(
        encode_name(class_name, CLASS_NOT_AVAILABLE), ctypes.byref(clsid), ctypes.byref(iid)),
        name=class_name)
    return _native.format_guid(clsid), _native.format_guid(iid)


def classes():
    """The names of the classes Dispatch creates, in the type library's order."""
    library = _native.lib()
    name = ctypes.c_char_p()
    names = []
    for index in range(library.lombar_class_count()):
        check(library.lombar_class(index, ctypes.byref(name)))
        names.append(_native.text(name.value))
    return names


def typelib():
    """The type library's name, id, version and locale."""
    name = ctypes.c_char_p()
    guid = _native.Guid()
    major = ctypes.c_uint16()
    minor = ctypes.c_uint16()
    lcid = ctypes.c_uint32()
    _native.lib().lombar_typelib(ctypes.byref(name), ctypes.byref(guid), ctypes.byref(major),
                                 ctypes.byref(minor), ctypes.byref(lcid))
    return {
        "name": _native.text(name.value),
        "guid": _native.format_guid(guid),
        "major": major.value,
        "minor": minor.value,
        "lcid": lcid.value,
    }


class _Constants(object):
    """The enumerations' members as attributes, read from the library at first use."""

    def __init__(self):
        self.__dict__["_loaded"] = None

    def _load(self):
        if self._loaded is None:
            library = _native.lib()
            enumeration = ctypes.c_char_p()
            name = ctypes.c_char_p()
            value = ctypes.c_int32()
            loaded = {}
            for index in range(library.lombar_constant_count()):
                check(library.lombar_constant(index, ctypes.byref(enumeration), ctypes.byref(name),
                                              ctypes.byref(value)))
                loaded[_native.text(name.value)] = (_native.text(enumeration.value), value.value)
            self.__dict__["_loaded"] = loaded
        return self._loaded

    def __getattr__(self, name):
        try:
            return self._load()[name][1]
        except KeyError:
            raise AttributeError("no constant named %s" % name) from None

    def __setattr__(self, name, value):
        raise AttributeError("constants cannot be changed")

    def __dir__(self):
        return sorted(self._load())

    def enumeration(self, name):
        """The enumeration a constant belongs to."""
        try:
            return self._load()[name][0]
        except KeyError:
            raise AttributeError("no constant named %s" % name) from None

    def __repr__(self):
        return "<lombar.constants: %d members>" % len(self._load())


constants = _Constants()


def register():
    """Registers the library's classes and type library (DllRegisterServer)."""
    check(_native.lib().DllRegisterServer())


def unregister():
    """Removes what register() wrote (DllUnregisterServer)."""
    check(_native.lib().DllUnregisterServer())


def can_unload_now():
    """True when no library object and no class-factory lock is alive."""
    return _native.lib().DllCanUnloadNow() == _native.S_OK
