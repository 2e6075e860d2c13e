"""Loading the library file and declaring its C interface (lombar.h)."""

import ctypes
import ctypes.util
import functools
import os
import sys
import sysconfig
import threading

LIBRARY_FILE = "qorLOMBARv3.00.so"

S_OK = 0
S_FALSE = 1

VT_EMPTY = 0
VT_NULL = 1
VT_I2 = 2
VT_I4 = 3
VT_R4 = 4
VT_R8 = 5
VT_CY = 6
VT_DATE = 7
VT_BSTR = 8
VT_DISPATCH = 9
VT_ERROR = 10
VT_BOOL = 11
VT_VARIANT = 12
VT_UNKNOWN = 13
VT_BYREF = 0x4000

PARAMFLAG_OPT = 0x10
PARAMFLAG_HASDEFAULT = 0x20

DISPATCH_METHOD = 1
DISPATCH_PROPERTYGET = 2
DISPATCH_PROPERTYPUT = 4
DISPATCH_PROPERTYPUTREF = 8


class Guid(ctypes.Structure):
    _fields_ = [
        ("data1", ctypes.c_uint32),
        ("data2", ctypes.c_uint16),
        ("data3", ctypes.c_uint16),
        ("data4", ctypes.c_uint8 * 8),
    ]


class Variant(ctypes.Structure):
    pass


class _VariantValue(ctypes.Union):
    _fields_ = [
        ("i2", ctypes.c_int16),
        ("i4", ctypes.c_int32),
        ("r4", ctypes.c_float),
        ("r8", ctypes.c_double),
        ("cy", ctypes.c_int64),
        ("date", ctypes.c_double),
        ("bstr", ctypes.c_void_p),
        ("object", ctypes.c_void_p),
        ("scode", ctypes.c_int32),
        ("boolean", ctypes.c_int16),
        ("byref", ctypes.POINTER(Variant)),
    ]


Variant._fields_ = [("vt", ctypes.c_uint16), ("value", _VariantValue)]

EventCallback = ctypes.CFUNCTYPE(
    None, ctypes.c_void_p, ctypes.c_int32, ctypes.POINTER(Variant), ctypes.c_uint32
)

_HRESULT = ctypes.c_int32
_P = ctypes.c_void_p
_PP = ctypes.POINTER(ctypes.c_void_p)
_TEXT = ctypes.c_char_p
_PTEXT = ctypes.POINTER(ctypes.c_char_p)

# name: (result type, argument types)
_SIGNATURES = {
    "DllCanUnloadNow": (_HRESULT, []),
    "DllRegisterServer": (_HRESULT, []),
    "DllUnregisterServer": (_HRESULT, []),
    "lombar_create": (_HRESULT, [_TEXT, _PP]),
    "lombar_addref": (None, [_P]),
    "lombar_release": (None, [_P]),
    "lombar_query_interface": (_HRESULT, [_P, ctypes.POINTER(Guid)]),
    "lombar_get_id_of_name": (_HRESULT, [_P, _TEXT, ctypes.POINTER(ctypes.c_int32)]),
    "lombar_invoke": (
        _HRESULT,
        [_P, ctypes.c_int32, ctypes.c_uint16, ctypes.POINTER(Variant), ctypes.c_uint32,
         ctypes.POINTER(Variant)],
    ),
    "lombar_enum_next": (_HRESULT, [_P, ctypes.POINTER(Variant)]),
    "lombar_enum_reset": (_HRESULT, [_P]),
    "lombar_error_info": (_HRESULT, [ctypes.POINTER(ctypes.c_int32), _PP, _PP]),
    "lombar_advise": (
        _HRESULT, [_P, EventCallback, _P, ctypes.POINTER(ctypes.c_uint32)]
    ),
    "lombar_unadvise": (_HRESULT, [_P, ctypes.c_uint32]),
    "lombar_class_name": (_TEXT, [_P]),
    "lombar_member_count": (ctypes.c_uint32, [_P]),
    "lombar_member": (
        _HRESULT,
        [_P, ctypes.c_uint32, _PTEXT, ctypes.POINTER(ctypes.c_int32),
         ctypes.POINTER(ctypes.c_int32), ctypes.POINTER(ctypes.c_uint32),
         ctypes.POINTER(ctypes.c_uint32)],
    ),
    "lombar_member_param": (
        _HRESULT,
        [_P, ctypes.c_uint32, ctypes.c_uint32, _PTEXT, ctypes.POINTER(ctypes.c_uint16), _PTEXT,
         ctypes.POINTER(ctypes.c_uint32), ctypes.POINTER(Variant)],
    ),
    "lombar_type_name": (_TEXT, [ctypes.c_uint16]),
    "lombar_help": (_TEXT, [_P, ctypes.c_int32]),
    "lombar_class_count": (ctypes.c_uint32, []),
    "lombar_class": (_HRESULT, [ctypes.c_uint32, _PTEXT]),
    "lombar_class_ids": (_HRESULT, [_TEXT, ctypes.POINTER(Guid), ctypes.POINTER(Guid)]),
    "lombar_typelib": (
        None,
        [_PTEXT, ctypes.POINTER(Guid), ctypes.POINTER(ctypes.c_uint16),
         ctypes.POINTER(ctypes.c_uint16), ctypes.POINTER(ctypes.c_uint32)],
    ),
    "lombar_constant_count": (ctypes.c_uint32, []),
    "lombar_constant": (
        _HRESULT, [ctypes.c_uint32, _PTEXT, _PTEXT, ctypes.POINTER(ctypes.c_int32)]
    ),
    "lombar_guid_parse": (_HRESULT, [_TEXT, ctypes.POINTER(Guid)]),
    "lombar_guid_format": (None, [ctypes.POINTER(Guid), ctypes.c_char_p]),
    "lombar_string_alloc": (_P, [ctypes.c_char_p, ctypes.c_uint32]),
    "lombar_string_length": (ctypes.c_uint32, [_P]),
    "lombar_string_free": (None, [_P]),
    "lombar_variant_clear": (None, [ctypes.POINTER(Variant)]),
    "lombar_event_member": (
        _HRESULT, [_P, ctypes.c_uint32, _PTEXT, ctypes.POINTER(ctypes.c_int32)]
    ),
}

_lock = threading.Lock()
_library = None


def _install_prefixes(package):
    """Prefixes an installed library file may sit under: the one the package
    is installed under (<prefix>/lib/pythonX.Y/site-packages/lombar), the
    interpreter's, and the system's."""
    prefixes = []
    folder = os.path.dirname(package)
    if os.path.basename(folder) in ("site-packages", "dist-packages"):
        prefix = os.path.dirname(os.path.dirname(os.path.dirname(folder)))
        prefixes.append(prefix)
        # Debian's pip installs under <prefix>/local/lib/python3.X/dist-packages.
        if os.path.basename(prefix) == "local":
            prefixes.append(os.path.dirname(prefix))
    return prefixes + [sys.prefix, "/usr/local", "/usr"]


def candidate_paths():
    """The files the library is looked for at, in order: LOMBAR_LIBRARY alone
    when set; else beside the package, lib/ under the install prefixes,
    build/ of the repository the package runs from, and the multiarch
    folder lib/<multiarch>/ under the install prefixes (Debian's place)."""
    configured = os.environ.get("LOMBAR_LIBRARY")
    if configured:
        return [configured]
    package = os.path.dirname(os.path.abspath(__file__))
    prefixes = _install_prefixes(package)
    paths = [os.path.join(package, LIBRARY_FILE)]
    paths += [os.path.join(prefix, "lib", LIBRARY_FILE) for prefix in prefixes]
    source_tree = os.path.dirname(package)
    if os.path.isfile(os.path.join(source_tree, "pyproject.toml")):  # python/ of the repository
        paths.append(os.path.join(os.path.dirname(source_tree), "build", LIBRARY_FILE))
    multiarch = sysconfig.get_config_var("MULTIARCH")
    if multiarch:
        paths += [os.path.join(prefix, "lib", multiarch, LIBRARY_FILE) for prefix in prefixes]
    return list(dict.fromkeys(os.path.normpath(path) for path in paths))


def _declare(library, name, signature):
    function = getattr(library, name)
    function.restype, function.argtypes = signature
    return function


class _DlInfo(ctypes.Structure):
    _fields_ = [("fname", ctypes.c_char_p), ("fbase", ctypes.c_void_p),
                ("sname", ctypes.c_char_p), ("saddr", ctypes.c_void_p)]


def _file_of(library, name):
    """The file a library the system loader found was loaded from (its name if unknown)."""
    info = _DlInfo()
    try:
        dladdr = ctypes.CDLL(None).dladdr
        address = ctypes.cast(library.lombar_create, ctypes.c_void_p)
        if dladdr(address, ctypes.byref(info)) and info.fname:
            return os.path.abspath(os.fsdecode(info.fname))
    except (AttributeError, OSError):
        pass
    return name


@functools.lru_cache(maxsize=None)
def _system_library():
    """The library as the system loader finds it: by its file name (the
    loader's cache, LD_LIBRARY_PATH and its default folders), else the
    development link name find_library knows (liblombar.so). None when it
    finds neither."""
    for name in (LIBRARY_FILE, ctypes.util.find_library("lombar")):
        if name:
            try:
                library = ctypes.CDLL(name)
            except OSError:
                continue
            return library, _file_of(library, name)
    return None


def _load():
    paths = candidate_paths()
    found = next((path for path in paths if os.path.isfile(path)), None)
    if found is not None:
        library, path = ctypes.CDLL(found), found
    elif not os.environ.get("LOMBAR_LIBRARY") and _system_library():
        library, path = _system_library()
    else:
        raise OSError("lombar: library file %s not found; looked at %s and asked the system "
                      "loader (set LOMBAR_LIBRARY to its path)" % (LIBRARY_FILE, ", ".join(paths)))
    for name, signature in _SIGNATURES.items():
        try:
            _declare(library, name, signature)
        except AttributeError:
            raise OSError("lombar: the library file %s lacks %s: it is older than the package"
                          % (path, name)) from None
    library.lombar_path = path
    return library


def lib():
    """The loaded library, loaded at the first call."""
    global _library
    if _library is None:
        with _lock:
            if _library is None:
                _library = _load()
    return _library


def text(value):
    """A static C text (bytes or None) as str."""
    return None if value is None else value.decode("utf-8", "surrogateescape")


def format_guid(guid):
    buffer = ctypes.create_string_buffer(39)
    lib().lombar_guid_format(ctypes.byref(guid), buffer)
    return buffer.value.decode("ascii")


def parse_guid(value):
    text = str(value)
    guid = Guid()
    # The library reads up to a NUL: a text holding one is no identifier.
    if "\0" in text or lib().lombar_guid_parse(
            text.encode("ascii", "replace"), ctypes.byref(guid)) != S_OK:
        raise ValueError("not an interface or class id: %r" % (value,))
    return guid
