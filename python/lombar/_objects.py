"""Library objects as late-bound Python objects, driven through dispatch ids."""

import ctypes
import threading

from . import _native, _values
from ._library import class_ids, typelib
from ._errors import (CLASS_NOT_AVAILABLE, SOURCE, UNKNOWN_NAME, ComError, MemberError, check,
                      encode_name, last_error, naming)
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


def _type_name(vt):
    """A declared type's name as the library gives it ("" for no result)."""
    return _native.text(_native.lib().lombar_type_name(vt))


class _Param(object):
    """A declared parameter (or, without a name, a result) as the library's
    type information describes it."""

    __slots__ = ("name", "type", "by_ref", "optional", "has_default", "default")

    def __init__(self, handle, member, position):
        name = ctypes.c_char_p()
        vt = ctypes.c_uint16()
        of_class = ctypes.c_char_p()
        flags = ctypes.c_uint32()
        default = Variant()
        check(_native.lib().lombar_member_param(
            handle, member, position, ctypes.byref(name), ctypes.byref(vt), ctypes.byref(of_class),
            ctypes.byref(flags), ctypes.byref(default)))
        self.name = _native.text(name.value)
        self.type = _native.text(of_class.value) or _type_name(vt.value) or None
        self.by_ref = bool(vt.value & _native.VT_BYREF)
        self.optional = bool(flags.value & _native.PARAMFLAG_OPT)
        self.has_default = bool(flags.value & _native.PARAMFLAG_HASDEFAULT)
        self.default = _values.take(default)

    def __str__(self):
        text = "%s%s: %s" % ("ByRef " if self.by_ref else "", self.name, self.type)
        if self.has_default:
            text += " = %r" % (self.default,)
        return "[%s]" % text if self.optional else text


class _Accessor(object):
    """One slot of a class's interface: a member name's get, let, set or method."""

    __slots__ = ("name", "kind", "dispid", "params", "result", "help")

    def __init__(self, handle, index):
        name = ctypes.c_char_p()
        kind = ctypes.c_int32()
        dispid = ctypes.c_int32()
        count = ctypes.c_uint32()
        check(_native.lib().lombar_member(
            handle, index, ctypes.byref(name), ctypes.byref(kind), ctypes.byref(dispid),
            ctypes.byref(count), None))
        self.name = _native.text(name.value)
        self.kind = KIND_NAMES.get(kind.value, "method")
        self.dispid = dispid.value
        self.params = [_Param(handle, index, position) for position in range(count.value + 1)]
        self.result = self.params.pop()
        self.help = _native.text(_native.lib().lombar_help(handle, index))

    def signature(self):
        """The accessor as one line: kind, name, parameters, and the result
        or, for a let or set, the value assigned."""
        params = self.params
        assigned = None
        if self.kind in ("let", "set") and params:
            params, assigned = params[:-1], params[-1]
        text = "%-6s %s" % (self.kind, self.name)
        if params or self.kind == "method":
            text += "(%s)" % ", ".join(str(param) for param in params)
        if assigned is not None:
            text += " = %s" % assigned
            if params:
                text += "    [o.Set%s(..., value)]" % self.name
        elif self.result.type is not None:
            text += " -> %s" % self.result.type
        return text


class _Member(object):
    """The accessors one member name has (get, let, set, method), each with
    its count of declared parameters."""

    __slots__ = ("name", "dispid", "accessors", "signatures", "help")

    def __init__(self, name, dispid):
        self.name = name
        self.dispid = dispid
        self.accessors = {}
        self.signatures = []
        self.help = ""

    def get(self, kind):
        return self.accessors.get(kind)

    def doc(self):
        """The member's help text, then a line per accessor."""
        signatures = "\n".join(self.signatures)
        return "%s\n\n%s" % (self.help, signatures) if self.help else signatures


class _Surface(object):
    """A class's members in slot order, with a case-insensitive name index,
    and the Python class its objects get."""

    def __init__(self, handle, class_name):
        self.slots = []
        self.by_name = {}
        for index in range(_native.lib().lombar_member_count(handle)):
            accessor = _Accessor(handle, index)
            self.slots.append((accessor.name, accessor.kind, accessor.dispid))
            member = self.by_name.setdefault(
                accessor.name.lower(), _Member(accessor.name, accessor.dispid))
            member.accessors[accessor.kind] = len(accessor.params)
            member.signatures.append(accessor.signature())
            member.help = member.help or accessor.help
        self.help = _native.text(_native.lib().lombar_help(handle, -1))
        self.python_class = Object if class_name is None else _python_class(class_name, self)

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

    def doc(self, name):
        member = self.find(name)
        return None if member is None else member.doc()


_surfaces = {}
_surfaces_lock = threading.Lock()


def _surface_of(handle):
    class_name = _native.lib().lombar_class_name(handle)
    surface = _surfaces.get(class_name)
    if surface is None:
        surface = _Surface(handle, _native.text(class_name))
        if class_name is not None:
            with _surfaces_lock:
                surface = _surfaces.setdefault(class_name, surface)
    return surface


def call(handle, dispid, flags, args, nothing_last=False, name=None):
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
            if isinstance(value, _values.ByRef):
                inner = Variant()
                by_ref.append((value, inner))
                _values.fill(inner, value.value)
                slot.vt = _native.VT_BYREF | _native.VT_VARIANT
                slot.value.byref = ctypes.pointer(inner)
            else:
                _values.fill(slot, value, nothing_last and position == count - 1)
        hresult = library.lombar_invoke(handle, dispid, flags, array, count, ctypes.byref(result))
        failure = naming(last_error(hresult), name) if hresult < 0 else None
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
        handle, encode_name(name, UNKNOWN_NAME, kind), ctypes.byref(dispid)), kind, name)
    return dispid.value


def _put_flags(member, value):
    """Set for a library object, or None where a set accessor exists; else let."""
    has_set = member is not None and member.get("set") is not None
    if isinstance(value, Object) or (value is None and has_set):
        return _native.DISPATCH_PROPERTYPUTREF
    return _native.DISPATCH_PROPERTYPUT


class _Bound(object):
    # A member to be called: a method, a get with parameters, or a let with
    # parameters (for "SetName"). Its __doc__ is the member's.

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
                        flags == _native.DISPATCH_PROPERTYPUTREF, self._name)
        return call(handle, self._dispid, self._flags, args, name=self._name)

    @property
    def __doc__(self):
        member = self._member or self._object._surface.find(self._name)
        return None if member is None else member.doc()

    def __repr__(self):
        return "<lombar member %s of %r>" % (self._name, self._object)


class Object(object):
    """A library object. Holds one reference, given back when the wrapper goes.

    Each library class has a subclass of its own, named after it, whose
    documentation lists the class's members."""

    __module__ = "lombar"

    def __init__(self, handle, surface=None):
        """Wraps a handle, taking over the caller's reference."""
        object.__setattr__(self, "_handle", handle)
        object.__setattr__(self, "_surface", surface or _surface_of(handle))

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
                return call(handle, member.dispid, _native.DISPATCH_PROPERTYGET, (), name=name)
            if member.get("method") is not None:
                return _Bound(self, member.name, member.dispid, _native.DISPATCH_METHOD)
            if getter is not None:
                return _Bound(self, member.name, member.dispid, _native.DISPATCH_PROPERTYGET)
            # A property without a get: reading it gives the library's error.
            return call(handle, member.dispid, _native.DISPATCH_PROPERTYGET, (), name=name)
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
        call(self._handle, dispid, flags, (value,), flags == _native.DISPATCH_PROPERTYPUTREF,
             name)

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


class _MemberAttribute(object):
    """A member of a library class: reading or assigning it on an object
    reaches the library as any spelling of the name does; its __doc__ lists
    the member's accessors with their parameters."""

    __slots__ = ("_name", "_surface")

    def __init__(self, name, surface):
        self._name = name
        self._surface = surface

    def __get__(self, target, owner=None):
        return self if target is None else Object.__getattr__(target, self._name)

    def __set__(self, target, value):
        Object.__setattr__(target, self._name, value)

    @property
    def __doc__(self):
        return self._surface.doc(self._name)


_CLASS_DOC = """{name}: {help}

{identity}

Member names may be written in any letter case. Each member below lists its
accessors: "get" and "let" or "set" (o.Name, o.Name = value; with parameters
o.Name(args) and o.SetName(args, value)) and "method" (o.Name(args)).
Optional parameters are in brackets, with the value they take when left off;
pass lombar.ByRef(value) for a ByRef parameter to receive what the member
leaves there."""


def _identity(class_name):
    """What the class is: its ProgID and ids, or that only the library makes it."""
    try:
        clsid, iid = class_ids(class_name)
    except ComError:
        return "Objects of this class come from the library's members, not from Dispatch."
    return "The library class %s.%s,\nclass id %s, interface _%s %s." % (
        typelib()["name"], class_name, clsid, class_name, iid)


def _python_class(class_name, surface):
    """The Python class of a library class's objects: its documentation and
    its members as attributes."""
    namespace = {
        "__module__": "lombar",
        "__qualname__": class_name,
        "__doc__": _CLASS_DOC.format(name=class_name, help=surface.help,
                                     identity=_identity(class_name)),
    }
    for name, _kind, _dispid in surface.slots:
        if not name.startswith("_"):  # hidden members: not attributes of the class
            namespace.setdefault(name, _MemberAttribute(name, surface))
    return type(class_name, (Object,), namespace)


def wrap(handle):
    """The object of a handle, of its class's Python class; takes over the
    caller's reference."""
    try:
        surface = _surface_of(handle)
    except BaseException:
        _native.lib().lombar_release(handle)
        raise
    return surface.python_class(handle, surface)


def handle_of(value):
    if not isinstance(value, Object):
        raise TypeError("a library object is needed, not %s" % type(value).__name__)
    return value._handle


def Dispatch(name):
    """Creates an object by ProgID, bare class name or class id text (any case)."""
    if isinstance(name, Object):
        return name
    handle = ctypes.c_void_p()
    check(_native.lib().lombar_create(encode_name(name, CLASS_NOT_AVAILABLE), ctypes.byref(handle)),
          name=name)
    return wrap(handle.value)


def invoke(target, name, kind, *args):
    """Calls a member by name (or dispatch id) and kind ("method", "get", "let",
    "set"); for "let" and "set" the value is the last argument."""
    try:
        flags = KINDS[kind]
    except KeyError:
        raise ValueError("kind must be one of %s, not %r" % (", ".join(KINDS), kind)) from None
    handle = handle_of(target)
    dispid = name if isinstance(name, int) else lookup_dispid(handle, name)
    return call(handle, dispid, flags, args, kind == "set",
                None if isinstance(name, int) else name)


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
