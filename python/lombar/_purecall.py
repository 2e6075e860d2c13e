"""The call path in Python over ctypes: what the C extension _fastcall does,
for when it was not built. Both give the same results and errors; _calls
picks one, and the package reaches the library's members only through it.

The package hands over what the call path needs from above (how an object
is wrapped, how a failure becomes an exception, how keyword arguments are
placed) through configure(), before the first call."""

import ctypes
import decimal
import threading

from . import _native
from ._errors import SOURCE, ComError
from ._native import Variant
from ._values import MISSING, ByRef, Null, currency_units, currency_value, overflow

__all__ = ["END", "PATH", "READ", "Bound", "Handle", "Member", "configure", "create", "defer",
           "invoke", "next_item", "put_flags", "skip"]

PATH = "ctypes"

_INT32_MIN, _INT32_MAX = -(1 << 31), (1 << 31) - 1
_PARAM_NOT_FOUND = -0x7FFDFFFC  # DISP_E_PARAMNOTFOUND: a missing argument
_BY_REFERENCE = _native.VT_BYREF | _native.VT_VARIANT
_PUTS = _native.DISPATCH_PROPERTYPUT | _native.DISPATCH_PROPERTYPUTREF

# A member read by attribute: a get without parameters, invoked at once.
READ = 0

# The package's hooks, set by configure().
_hooks = {}


def configure(library, wrap, failed, arrange):
    """library(): the loaded library (ctypes), loaded at the first call;
    wrap(handle): the object of a new handle; failed(cause, handle, dispid,
    name): the exception of a failed call, `cause` an HRESULT or a ComError;
    arrange(info, flags, args, kwargs): positional and keyword arguments as
    the positional ones of a call by dispatch."""
    _hooks.update(wrap=wrap, failed=failed, arrange=arrange)


class Handle(object):
    """The base of library objects: holds one reference to the library
    object, given back when the Python object goes."""

    __slots__ = ("_handle", "__weakref__")

    def __new__(cls, handle):
        """Wraps a handle, taking over the caller's reference."""
        self = object.__new__(cls)
        object.__setattr__(self, "_handle", handle)
        return self

    def __del__(self):
        handle = getattr(self, "_handle", None)
        if handle:
            object.__setattr__(self, "_handle", None)
            try:
                _native.lib().lombar_release(handle)
            except Exception:  # the interpreter is shutting down
                pass

    def __setattr__(self, name, value):
        member = type(self).__dict__.get(name)
        if isinstance(member, Member):
            member.__set__(self, value)
        else:
            self._set_other(name, value)

    def __delattr__(self, name):
        raise AttributeError("%s cannot be deleted" % name)


class Member(object):
    """A member as an attribute of its class: reading it invokes a get
    without parameters (mode READ) or gives the member to call (mode: the
    dispatch flags of the call), assigning it is the let, or the set for a
    library object or, where the member has a set, for None."""

    __slots__ = ("name", "dispid", "mode", "has_set", "info")

    def __init__(self, name, dispid, mode, has_set, info):
        self.name = name
        self.dispid = dispid
        self.mode = mode
        self.has_set = has_set
        self.info = info

    def __get__(self, target, owner=None):
        if target is None:
            return self
        if self.mode == READ:
            return invoke(target._handle, self.dispid, _native.DISPATCH_PROPERTYGET, (), False,
                          self.name)
        return Bound(target, self)

    def __set__(self, target, value):
        flags = put_flags(value, self.has_set)
        invoke(target._handle, self.dispid, flags, (value,),
               flags == _native.DISPATCH_PROPERTYPUTREF, self.name)

    @property
    def __doc__(self):
        return self.info.doc()


def put_flags(value, has_set):
    """Set for a library object, or for None where a set accessor exists; else let."""
    if isinstance(value, Handle) or (value is None and has_set):
        return _native.DISPATCH_PROPERTYPUTREF
    return _native.DISPATCH_PROPERTYPUT


class Bound(object):
    """A member of one object, to be called: a method, a get with parameters,
    or a let with parameters (o.SetName(args..., value))."""

    __slots__ = ("target", "member")

    def __init__(self, target, member):
        self.target = target
        self.member = member

    def __call__(self, *args, **kwargs):
        member = self.member
        flags = member.mode
        if kwargs:
            args = _hooks["arrange"](member.info, flags, args, kwargs)
        nothing_last = False
        if flags & _PUTS:
            if not args:
                raise _hooks["failed"](ComError(
                    450, "Wrong number of arguments or invalid property assignment", SOURCE),
                    self.target._handle, member.dispid, member.name)
            flags = put_flags(args[-1], member.has_set)
            nothing_last = flags == _native.DISPATCH_PROPERTYPUTREF
        return invoke(self.target._handle, member.dispid, flags, args, nothing_last, member.name)

    @property
    def __doc__(self):
        return self.member.info.doc()

    def __repr__(self):
        return "<lombar member %s of %r>" % (self.member.name, self.target)


_local = threading.local()


def defer(error):
    """Keeps an exception raised where it cannot propagate (an event handler);
    the call that caused it raises it when it returns."""
    pending = getattr(_local, "pending", None)
    if pending is None:
        pending = _local.pending = []
    pending.append(error)


def _take_deferred():
    pending = getattr(_local, "pending", None)
    if not pending:
        return None
    _local.pending = []
    return pending[0]


def fill(variant, value, nothing=False):
    """Fills an empty variant with `value`; the variant then owns what it holds.

    With `nothing`, None is passed as an empty object reference rather than as
    the empty value.
    """
    if value is None:
        if nothing:
            variant.vt = _native.VT_DISPATCH
            variant.value.object = None
        return
    if value is Null:
        variant.vt = _native.VT_NULL
    elif value is MISSING:
        variant.vt = _native.VT_ERROR
        variant.value.scode = _PARAM_NOT_FOUND
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
                raise overflow() from None
            variant.vt = _native.VT_R8
    elif isinstance(value, float):
        variant.vt = _native.VT_R8
        variant.value.r8 = value
    elif isinstance(value, decimal.Decimal):
        variant.value.cy = currency_units(value)
        variant.vt = _native.VT_CY
    elif isinstance(value, str):
        data = value.encode("utf-8", "surrogateescape")
        pointer = _native.lib().lombar_string_alloc(data, len(data))
        if not pointer:
            raise MemoryError("lombar: out of memory for a text")
        variant.vt = _native.VT_BSTR
        variant.value.bstr = pointer
    elif isinstance(value, Handle):
        _native.lib().lombar_addref(value._handle)
        variant.vt = _native.VT_DISPATCH
        variant.value.object = value._handle
    else:
        raise ComError(13, "Type mismatch: %s cannot be passed" % type(value).__name__, SOURCE)


def take(variant):
    """The Python value of a variant the caller owns; the variant is left empty."""
    if variant.vt in (_native.VT_DISPATCH, _native.VT_UNKNOWN):
        handle = variant.value.object
        variant.vt = _native.VT_EMPTY
        return _hooks["wrap"](handle) if handle else None
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
        if not value.object:
            return None
        _native.lib().lombar_addref(value.object)
        return _hooks["wrap"](value.object)
    if vt == _BY_REFERENCE:
        return peek(value.byref.contents)
    raise ComError(458, "Variable uses an Automation type not supported (%d)" % vt, SOURCE)


def invoke(handle, dispid, flags, args, nothing_last, name):
    """Invokes a member with Python arguments in declared order; returns its result.

    With `nothing_last`, a None last argument goes as an empty object
    reference. `name` is the member's name, for the error.
    """
    library = _native.lib()
    count = len(args)
    array = (Variant * max(count, 1))()
    by_ref = []
    result = Variant()
    failure = None
    invoked = False
    _take_deferred()
    try:
        for position, value in enumerate(args):
            slot = array[count - 1 - position]
            if isinstance(value, ByRef):
                inner = Variant()
                by_ref.append((value, inner))
                fill(inner, value.value)
                slot.vt = _BY_REFERENCE
                slot.value.byref = ctypes.pointer(inner)
            else:
                fill(slot, value, nothing_last and position == count - 1)
        hresult = library.lombar_invoke(handle, dispid, flags, array, count, ctypes.byref(result))
        failure = hresult if hresult < 0 else None
        invoked = True
    except ComError as error:  # an argument that cannot be passed
        failure = error
    finally:
        if failure is not None:
            failure = _hooks["failed"](failure, handle, dispid, name)
        for slot in array:
            if slot.vt != _BY_REFERENCE:
                library.lombar_variant_clear(ctypes.byref(slot))
        # The by-reference variants own what the callee left in them, failure or not.
        for holder, inner in by_ref:
            value = take(inner)
            if invoked and failure is None:
                holder.value = value
    value = take(result)
    deferred = _take_deferred()
    if failure is not None:
        raise failure
    if deferred is not None:
        raise deferred
    return value


def create(name, shown):
    """A new object of the class `name` (bytes); `shown` names it in the error."""
    handle = ctypes.c_void_p()
    hresult = _native.lib().lombar_create(name, ctypes.byref(handle))
    if hresult < 0:
        raise _hooks["failed"](hresult, None, None, shown)
    return _hooks["wrap"](handle.value)


# What next_item() gives past the last member.
END = object()


def _next_variant(enumerator, item):
    hresult = _native.lib().lombar_enum_next(enumerator, ctypes.byref(item))
    if hresult < 0:
        raise _hooks["failed"](hresult, enumerator, None, "Next")
    return hresult == _native.S_OK


def next_item(enumerator):
    """The enumerator's next member, or END."""
    item = Variant()
    return take(item) if _next_variant(enumerator, item) else END


def skip(enumerator, count):
    """Passes over up to `count` members; gives how many there were."""
    item = Variant()
    for skipped in range(count):
        if not _next_variant(enumerator, item):
            return skipped
        _native.lib().lombar_variant_clear(ctypes.byref(item))
    return count
