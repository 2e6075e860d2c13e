"""The package's own values (ByRef, Null, the missing argument) and exact
currency conversion; what the library's variants hold is converted by the
call path (_calls)."""

import decimal

from ._errors import SOURCE, ComError

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


class _MissingType(object):
    """An argument left out between given ones (a keyword call skips it): the
    parameter takes its default, as automation's missing argument does."""

    def __repr__(self):
        return "<missing argument>"


MISSING = _MissingType()


class ByRef(object):
    """A by-reference argument: the callee reads `value` and may replace it."""

    __slots__ = ("value",)

    def __init__(self, value=None):
        self.value = value

    def __repr__(self):
        return "lombar.ByRef(%r)" % (self.value,)


def overflow():
    return ComError(6, "Overflow", SOURCE)


def currency_units(value):
    """A decimal as currency units of 1/10000, rounded half to even from its exact value."""
    if not value.is_finite():
        raise overflow()
    try:
        rounded = value.quantize(_CURRENCY_UNIT, rounding=decimal.ROUND_HALF_EVEN, context=_EXACT)
    except decimal.InvalidOperation:  # more digits than the context holds: far out of range
        raise overflow() from None
    units = int(rounded.scaleb(4, context=_EXACT))
    if not _INT64_MIN <= units <= _INT64_MAX:
        raise overflow()
    return units


def currency_value(units):
    """Currency units of 1/10000 as an exact decimal."""
    return _EXACT.divide(decimal.Decimal(units), decimal.Decimal(_CURRENCY_SCALE))
