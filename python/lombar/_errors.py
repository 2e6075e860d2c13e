"""Errors the library raises, as Python exceptions."""

import ctypes

from . import _native

SOURCE = "lombar"

def _signed(code):
    return code - (1 << 32)


# The library's answers to names that name nothing.
CLASS_NOT_AVAILABLE = _signed(0x80040111)
UNKNOWN_NAME = _signed(0x80020006)

# Error numbers for failures that leave no error information, by HRESULT.
_NUMBERS = {
    _signed(0x80004002): (
        430, "Class does not support Automation or does not support expected interface"),
    _signed(0x80004003): (91, "Object variable or With block variable not set"),
    _signed(0x80070057): (5, "Invalid procedure call or argument"),
    _signed(0x8007000E): (7, "Out of memory"),
    CLASS_NOT_AVAILABLE: (429, "ActiveX component can't create object"),
    UNKNOWN_NAME: (438, "Object doesn't support this property or method"),
}


class ComError(Exception):
    """A failure the library reported: its error number, description and
    source, and `name`, what it concerns: the class asked for, or the class
    and member called ("ICatInfoCol.Add", "ICatInfo default member")."""

    def __init__(self, number, description="", source="", name=None):
        super().__init__(number, description, source)
        self.number = number
        self.description = description
        self.source = source
        self.name = name

    def __str__(self):
        text = "error %d: %s" % (self.number, self.description)
        return text if self.name is None else "%s: %s" % (self.name, text)


def naming(error, name):
    """`error`, naming `name` unless it names something already."""
    if name is not None and error.name is None:
        error.name = str(name)
    return error


class MemberError(ComError, AttributeError):
    """An object has no member of the name asked for (error 438)."""


class ArgumentNameError(ComError, TypeError):
    """A keyword argument names no parameter of the member, or one given
    already (error 448)."""


class PositionError(ComError, IndexError):
    """obj[i] past the last member the enumerator gives (error 9)."""


def _take_string(pointer):
    """The text of a library string the caller owns; frees the string."""
    if not pointer:
        return ""
    library = _native.lib()
    length = library.lombar_string_length(pointer)
    data = ctypes.string_at(pointer, length)
    library.lombar_string_free(pointer)
    return data.decode("utf-8", "surrogateescape")


def last_error(hresult, kind=ComError):
    """The error the thread's last failed call left, or one made from `hresult`."""
    number = ctypes.c_int32()
    source = ctypes.c_void_p()
    description = ctypes.c_void_p()
    found = _native.lib().lombar_error_info(
        ctypes.byref(number), ctypes.byref(source), ctypes.byref(description))
    if found == _native.S_OK:
        return kind(number.value, _take_string(description.value), _take_string(source.value))
    return refused(hresult, kind)


def refused(hresult, kind=ComError):
    """The error for `hresult` when no error information comes with it."""
    known, text = _NUMBERS.get(hresult, (hresult, "Automation error"))
    return kind(known, text, SOURCE)


def encode_name(name, unknown, kind=ComError, shown=None):
    """A class or member name as the library reads it. The library reads a
    name up to its first NUL, so a name holding one would name what comes
    before it: it names nothing, and fails as an unknown name (`unknown`),
    the error naming `shown` (else the name)."""
    text = str(name)
    if "\0" in text:
        raise naming(refused(unknown, kind), text if shown is None else shown)
    return text.encode("utf-8", "surrogateescape")


def check(hresult, kind=ComError, name=None):
    """Raises the error of a failed call (a negative HRESULT); `name` is the
    class or member name the call was about."""
    if hresult < 0:
        raise naming(last_error(hresult, kind), name)
    return hresult
