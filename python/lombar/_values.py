"""Python values to and from the library's automation values."""

import ctypes
import decimal

from . import _native
from ._errors import SOURCE, ComError

_INT32_MIN, _INT32_MAX = -(1 << 31), (1 << 31) - 1
_INT64_MIN, _INT64_MAX = -(1 << 63), (1 << 63) - 1
_CURRENCY_SCALE = 10000
_CURRENCY_UNIT = decimal.Decimal("0.0001")
# Enough digits for every 64-bit currency value and then some.
_EXACT = decimal.Context(prec=60, Emax=999999, Emin=-999999, traps=[decimal.InvalidOperation])


class _NullType(object):
    """The automation null value, distinct from None (empty)."""

    _instance = None

    def __new__(cls):
        if cls._instance is None:
            cls._instance = super().__new__(cls)
        return cls._instance

    def __repr__(self):
        return "lombar.Null"

    def __reduce__(self):
        return (_NullType, ())


Null = _NullType()


class ByRef(object):
    """A by-reference argument: the callee reads `value` and may replace it."""

    __slots__ = ("value",)

    def __init__(self, value=None):
        self.value = value

    def __repr__(self):
        return "lombar.ByRef(%r)" % (self.value,)


def _overflow():
    return ComError(6, "Overflow", SOURCE)


def currency_units(value):
    """A decimal as currency units of 1/10000, rounded half to even from its exact value."""
    if not value.is_finite():
        raise _overflow()
    try:
        rounded = value.quantize(_CURRENCY_UNIT, rounding=decimal.ROUND_HALF_EVEN, context=_EXACT)
    except decimal.InvalidOperation:  # more digits than the context holds: far out of range
        raise _overflow() from None
    units = int(rounded.scaleb(4, context=_EXACT))
    if not _INT64_MIN <= units <= _INT64_MAX:
        raise _overflow()
    return units


def currency_value(units):
    """Currency units of 1/10000 as an exact decimal."""
    return _EXACT.divide(decimal.Decimal(units), decimal.Decimal(_CURRENCY_SCALE))


def _object_handle(value):
    from ._objects import Object

    return value._handle if isinstance(value, Object) else None


def fill(variant, value, nothing=False):
    """Fills an empty variant with `value`; the variant then owns what it holds.

    With `nothing`, None is passed as an empty object reference rather than as
    the empty value.
    """
    library = _native.lib()
    if value is None:
        if nothing:
            variant.vt = _native.VT_DISPATCH
            variant.value.object = None
        return
    if value is Null:
        variant.vt = _native.VT_NULL
    elif isinstance(value, bool):
        variant.vt = _native.VT_BOOL
        variant.value.boolean = -1 if value else 0
    elif isinstance(value, int):
        if _INT32_MIN <= value <= _INT32_MAX:
            variant.vt = _native.VT_I4
            variant.value.i4 = value
        else:
            try:
                variant.value.r8 = float(value)
            except OverflowError:
                raise _overflow() from None
            variant.vt = _native.VT_R8
    elif isinstance(value, float):
        variant.vt = _native.VT_R8
        variant.value.r8 = value
    elif isinstance(value, decimal.Decimal):
        variant.value.cy = currency_units(value)
        variant.vt = _native.VT_CY
    elif isinstance(value, str):
        data = value.encode("utf-8", "surrogateescape")
        pointer = library.lombar_string_alloc(data, len(data))
        if not pointer:
            raise MemoryError("lombar: out of memory for a text")
        variant.vt = _native.VT_BSTR
        variant.value.bstr = pointer
    else:
        handle = _object_handle(value)
        if handle is None:
            raise ComError(13, "Type mismatch: %s cannot be passed" % type(value).__name__, SOURCE)
        library.lombar_addref(handle)
        variant.vt = _native.VT_DISPATCH
        variant.value.object = handle


def take(variant):
    """The Python value of a variant the caller owns; the variant is left empty."""
    vt = variant.vt
    value = variant.value
    if vt == _native.VT_EMPTY:
        return None
    if vt in (_native.VT_DISPATCH, _native.VT_UNKNOWN):
        from ._objects import wrap

        handle = value.object
        variant.vt = _native.VT_EMPTY
        return wrap(handle) if handle else None
    try:
        return peek(variant)
    finally:
        _native.lib().lombar_variant_clear(ctypes.byref(variant))


def peek(variant):
    """The Python value of a variant someone else owns."""
    vt = variant.vt
    value = variant.value
    if vt == _native.VT_EMPTY:
        return None
    if vt == _native.VT_NULL:
        return Null
    if vt == _native.VT_BOOL:
        return value.boolean != 0
    if vt == _native.VT_I2:
        return value.i2
    if vt == _native.VT_I4:
        return value.i4
    if vt == _native.VT_R4:
        return value.r4
    if vt == _native.VT_R8:
        return value.r8
    if vt == _native.VT_CY:
        return currency_value(value.cy)
    if vt == _native.VT_DATE:
        return value.date  # the automation date serial
    if vt == _native.VT_ERROR:
        return value.scode
    if vt == _native.VT_BSTR:
        pointer = value.bstr
        if not pointer:
            return ""
        length = _native.lib().lombar_string_length(pointer)
        return ctypes.string_at(pointer, length).decode("utf-8", "surrogateescape")
    if vt in (_native.VT_DISPATCH, _native.VT_UNKNOWN):
        from ._objects import wrap

        if not value.object:
            return None
        _native.lib().lombar_addref(value.object)
        return wrap(value.object)
    if vt == _native.VT_BYREF | _native.VT_VARIANT:
        return peek(value.byref.contents)
    raise ComError(458, "Variable uses an Automation type not supported (%d)" % vt, SOURCE)
