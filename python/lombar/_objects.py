"""Library objects as late-bound Python objects, driven through dispatch ids."""

import ctypes
import threading

from . import _native, _values
from ._errors import (CLASS_NOT_AVAILABLE, SOURCE, UNKNOWN_NAME, ComError, MemberError, check,
                      encode_name, last_error)
from ._native import Variant

KINDS = {
    "method": _native.DISPATCH_METHOD,
    "get": _native.DISPATCH_PROPERTYGET,
    "let": _native.DISPATCH_PROPERTYPUT,
    "set": _native.DISPATCH_PROPERTYPUTREF,
}
KIND_NAMES = {flags: name for name, flags in KINDS.items()}
DISPID_VALUE = 0
DISPID_NEWENUM = -4
_CALL = _native.DISPATCH_METHOD | _native.DISPATCH_PROPERTYGET

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


class _Member(object):
    """The accessors one member name has (get, let, set, method), each with
    its count of declared parameters."""

    __slots__ = ("name", "dispid", "accessors")

    def __init__(self, name, dispid):
        self.name = name
        self.dispid = dispid
        self.accessors = {}

    def get(self, kind):
        return self.accessors.get(kind)


class _Surface(object):
    """A class's members in slot order, with a case-insensitive name index."""

    def __init__(self, handle):
        library = _native.lib()
        self.slots = []
        self.by_name = {}
        name = ctypes.c_char_p()
        kind = ctypes.c_int32()
        dispid = ctypes.c_int32()
        params = ctypes.c_uint32()
        for index in range(library.lombar_member_count(handle)):
            check(library.lombar_member(
                handle, index, ctypes.byref(name), ctypes.byref(kind), ctypes.byref(dispid),
                ctypes.byref(params), None))
            text = _native.text(name.value)
            kind_name = KIND_NAMES.get(kind.value, "method")
            self.slots.append((text, kind_name, dispid.value))
            member = self.by_name.setdefault(text.lower(), _Member(text, dispid.value))
            member.accessors[kind_name] = params.value

    def find(self, name):
        return self.by_name.get(name.lower())

    def find_property_let(self, name):
        """For "SetName": the property Name when it has a let or set accessor."""
        if len(name) <= 3 or name[:3].lower() != "set":
            return None
        member = self.find(name[3:])
        if member is None or (member.get("let") is None and member.get("set") is None):
            return None
        return member


_surfaces = {}
_surfaces_lock = threading.Lock()


def _surface_of(handle):
    class_name = _native.lib().lombar_class_name(handle)
    surface = _surfaces.get(class_name)
    if surface is None:
        surface = _Surface(handle)
        if class_name is not None:
            with _surfaces_lock:
                surface = _surfaces.setdefault(class_name, surface)
    return surface


def call(handle, dispid, flags, args, nothing_last=False):
    """Invokes a member with Python arguments in declared order; returns its result.

    With `nothing_last`, a None last argument goes as an empty object reference.
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
            if isinstance(value, _values.ByRef):
                inner = Variant()
                by_ref.append((value, inner))
                _values.fill(inner, value.value)
                slot.vt = _native.VT_BYREF | _native.VT_VARIANT
                slot.value.byref = ctypes.pointer(inner)
            else:
                _values.fill(slot, value, nothing_last and position == count - 1)
        hresult = library.lombar_invoke(handle, dispid, flags, array, count, ctypes.byref(result))
        failure = last_error(hresult) if hresult < 0 else None
        invoked = True
    finally:
        for slot in array:
            if slot.vt != _native.VT_BYREF | _native.VT_VARIANT:
                library.lombar_variant_clear(ctypes.byref(slot))
        # The by-reference variants own what the callee left in them, failure or not.
        for holder, inner in by_ref:
            value = _values.take(inner)
            if invoked and failure is None:
                holder.value = value
    value = _values.take(result)
    deferred = _take_deferred()
    if failure is not None:
        raise failure
    if deferred is not None:
        raise deferred
    return value


def lookup_dispid(handle, name, kind=ComError):
    dispid = ctypes.c_int32()
    check(_native.lib().lombar_get_id_of_name(
        handle, encode_name(name, UNKNOWN_NAME, kind), ctypes.byref(dispid)), kind)
    return dispid.value


def _put_flags(member, value):
    """Set for a library object, or None where a set accessor exists; else let."""
    has_set = member is not None and member.get("set") is not None
    if isinstance(value, Object) or (value is None and has_set):
        return _native.DISPATCH_PROPERTYPUTREF
    return _native.DISPATCH_PROPERTYPUT


class _Bound(object):
    """A member to be called: a method, a get with parameters, or a let with
    parameters (for "SetName")."""

    __slots__ = ("_object", "_name", "_dispid", "_flags", "_member")

    def __init__(self, owner, name, dispid, flags, member=None):
        self._object = owner
        self._name = name
        self._dispid = dispid
        self._flags = flags
        self._member = member

    def __call__(self, *args):
        handle = self._object._handle
        if self._flags & _native.DISPATCH_PROPERTYPUT:
            if not args:
                raise ComError(450, "Wrong number of arguments or invalid property assignment",
                               SOURCE)
            flags = _put_flags(self._member, args[-1])
            return call(handle, self._dispid, flags, args,
                        flags == _native.DISPATCH_PROPERTYPUTREF)
        return call(handle, self._dispid, self._flags, args)

    def __repr__(self):
        return "<lombar member %s of %r>" % (self._name, self._object)


class Object(object):
    """A library object. Holds one reference, given back when the wrapper goes."""

    def __init__(self, handle):
        """Wraps a handle, taking over the caller's reference."""
        object.__setattr__(self, "_handle", handle)
        object.__setattr__(self, "_surface", _surface_of(handle))

    def __del__(self):
        handle = self.__dict__.get("_handle")
        if handle:
            self.__dict__["_handle"] = None
            try:
                _native.lib().lombar_release(handle)
            except Exception:  # the interpreter is shutting down
                pass

    def __getattr__(self, name):
        if name.startswith("_"):
            raise AttributeError(name)
        handle = self._handle
        member = self._surface.find(name)
        if member is not None:
            getter = member.get("get")
            if getter == 0:
                return call(handle, member.dispid, _native.DISPATCH_PROPERTYGET, ())
            if member.get("method") is not None:
                return _Bound(self, member.name, member.dispid, _native.DISPATCH_METHOD)
            if getter is not None:
                return _Bound(self, member.name, member.dispid, _native.DISPATCH_PROPERTYGET)
            # A property without a get: reading it gives the library's error.
            return call(handle, member.dispid, _native.DISPATCH_PROPERTYGET, ())
        prop = self._surface.find_property_let(name)
        if prop is not None:
            return _Bound(self, name, prop.dispid, _native.DISPATCH_PROPERTYPUT, prop)
        return _Bound(self, name, lookup_dispid(handle, name, MemberError), _CALL)

    def __setattr__(self, name, value):
        if name.startswith("_"):
            raise AttributeError("%s cannot be assigned" % name)
        member = self._surface.find(name)
        dispid = member.dispid if member else lookup_dispid(self._handle, name, MemberError)
        flags = _put_flags(member, value)
        call(self._handle, dispid, flags, (value,), flags == _native.DISPATCH_PROPERTYPUTREF)

    def __delattr__(self, name):
        raise AttributeError("%s cannot be deleted" % name)

    def __call__(self, *args):
        return call(self._handle, DISPID_VALUE, _CALL, args)

    def __getitem__(self, key):
        args = key if isinstance(key, tuple) else (key,)
        return call(self._handle, DISPID_VALUE, _native.DISPATCH_PROPERTYGET, args)

    def __len__(self):
        member = self._surface.find("Count")
        if member is None:
            raise TypeError("%r has no Count" % (self,))
        return call(self._handle, member.dispid, _native.DISPATCH_PROPERTYGET, ())

    def __iter__(self):
        if _native.lib().lombar_class_name(self._handle) is None:
            return _enumerate(self)  # an enumerator itself
        return _enumerate(call(self._handle, DISPID_NEWENUM, _CALL, ()))

    def __bool__(self):
        return True

    def __eq__(self, other):
        if not isinstance(other, Object):
            return NotImplemented
        return self._handle == other._handle

    def __ne__(self, other):
        equal = self.__eq__(other)
        return equal if equal is NotImplemented else not equal

    def __hash__(self):
        return hash(self._handle)

    def __dir__(self):
        names = {name for name, _kind, _dispid in self._surface.slots}
        return sorted(names | set(object.__dir__(self)))

    def __repr__(self):
        name = _native.text(_native.lib().lombar_class_name(self._handle)) or "object"
        return "<lombar.%s at 0x%x>" % (name, self._handle or 0)


def _enumerate(enumerator):
    if not isinstance(enumerator, Object):
        raise ComError(451, "Object not a collection", SOURCE)
    library = _native.lib()
    while True:
        item = Variant()
        hresult = library.lombar_enum_next(enumerator._handle, ctypes.byref(item))
        if hresult < 0:
            raise last_error(hresult)
        if hresult == _native.S_FALSE:
            return
        yield _values.take(item)


def wrap(handle):
    return Object(handle)


def handle_of(value):
    if not isinstance(value, Object):
        raise TypeError("a library object is needed, not %s" % type(value).__name__)
    return value._handle


def Dispatch(name):
    """Creates an object by ProgID, bare class name or class id text (any case)."""
    if isinstance(name, Object):
        return name
    handle = ctypes.c_void_p()
    check(_native.lib().lombar_create(encode_name(name, CLASS_NOT_AVAILABLE), ctypes.byref(handle)))
    return Object(handle.value)


def invoke(target, name, kind, *args):
    """Calls a member by name (or dispatch id) and kind ("method", "get", "let",
    "set"); for "let" and "set" the value is the last argument."""
    try:
        flags = KINDS[kind]
    except KeyError:
        raise ValueError("kind must be one of %s, not %r" % (", ".join(KINDS), kind)) from None
    handle = handle_of(target)
    dispid = name if isinstance(name, int) else lookup_dispid(handle, name)
    return call(handle, dispid, flags, args, kind == "set")


def members(target):
    """The members of the object's default interface in slot order, as
    (name, kind, dispid) tuples."""
    handle_of(target)
    return list(target._surface.slots)


def dispid(target, name):
    """The dispatch id of a member name."""
    return lookup_dispid(handle_of(target), name)


def class_name(target):
    """The object's class name; None for an object that is no class instance."""
    return _native.text(_native.lib().lombar_class_name(handle_of(target)))


def supports(target, iid):
    """True when the object answers a request for the interface id."""
    guid = _native.parse_guid(iid)
    answer = _native.lib().lombar_query_interface(handle_of(target), ctypes.byref(guid))
    return answer == _native.S_OK
