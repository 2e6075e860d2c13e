"""Library objects as late-bound Python objects, driven through dispatch ids."""

import ctypes
import threading

from . import _calls, _native
from ._errors import (CLASS_NOT_AVAILABLE, SOURCE, UNKNOWN_NAME, ArgumentNameError, ComError,
                      MemberError, PositionError, check, encode_name, last_error, naming)
from ._library import class_ids, typelib
from ._native import Variant
from ._purecall import take
from ._values import MISSING

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
_PUTS = _native.DISPATCH_PROPERTYPUT | _native.DISPATCH_PROPERTYPUTREF
# The accessor a call with these dispatch flags reaches, in order of preference.
_ACCESSORS_OF_FLAGS = {
    _native.DISPATCH_METHOD: ("method",),
    _native.DISPATCH_PROPERTYGET: ("get",),
    _CALL: ("get", "method"),
    _native.DISPATCH_PROPERTYPUT: ("let", "set"),
    _native.DISPATCH_PROPERTYPUTREF: ("set", "let"),
}


def _type_name(vt):
    """A declared type's name as the library gives it ("" for no result)."""
    return _native.text(_native.lib().lombar_type_name(vt))


class _Param(object):
    """A declared parameter (or, without a name, a result) as the library's
    type information describes it."""

    __slots__ = ("name", "type", "vt", "by_ref", "optional", "has_default", "default")

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
        self.vt = vt.value & ~_native.VT_BYREF
        self.type = _native.text(of_class.value) or _type_name(vt.value) or None
        self.by_ref = bool(vt.value & _native.VT_BYREF)
        self.optional = bool(flags.value & _native.PARAMFLAG_OPT)
        self.has_default = bool(flags.value & _native.PARAMFLAG_HASDEFAULT)
        self.default = take(default)

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
    """The accessors one member name has (get, let, set, method) in slot
    order, with the class it belongs to."""

    __slots__ = ("owner", "name", "dispid", "accessors", "help")

    def __init__(self, owner, name, dispid):
        self.owner = owner
        self.name = name
        self.dispid = dispid
        self.accessors = {}
        self.help = ""

    def get(self, kind):
        return self.accessors.get(kind)

    def accessor_of(self, flags):
        """The accessor a call with these dispatch flags reaches, if any."""
        for kind in _ACCESSORS_OF_FLAGS.get(flags, ()):
            if kind in self.accessors:
                return self.accessors[kind]
        return None

    def doc(self):
        """The member's help text, then a line per accessor."""
        signatures = "\n".join(accessor.signature() for accessor in self.accessors.values())
        return "%s\n\n%s" % (self.help, signatures) if self.help else signatures

    def attribute_mode(self):
        """What reading the member as an attribute does: READ invokes a get
        without parameters (or a property without a get, which gives the
        library's error), else the member is a callable of these flags."""
        getter = self.get("get")
        if getter is not None and not getter.params:
            return _calls.READ
        if self.get("method") is not None:
            return _native.DISPATCH_METHOD
        return _native.DISPATCH_PROPERTYGET if getter is not None else _calls.READ


class _Surface(object):
    """A class's members in slot order, with a case-insensitive name index,
    each member's attribute and the Python class its objects get."""

    def __init__(self, handle=None, class_name=None):
        self.slots = []
        self.by_name = {}
        self.by_dispid = {}
        self.class_name = class_name
        count = 0 if class_name is None else _native.lib().lombar_member_count(handle)
        for index in range(count):
            accessor = _Accessor(handle, index)
            self.slots.append((accessor.name, accessor.kind, accessor.dispid))
            member = self.by_name.setdefault(
                accessor.name.lower(), _Member(class_name, accessor.name, accessor.dispid))
            self.by_dispid.setdefault(accessor.dispid, member)
            member.accessors[accessor.kind] = accessor
            member.help = member.help or accessor.help
        self.attributes = {key: _calls.Member(member.name, member.dispid, member.attribute_mode(),
                                              "set" in member.accessors, member)
                           for key, member in self.by_name.items()}
        default = self.by_dispid.get(DISPID_VALUE)
        self.default = _calls.Member(default and default.name, DISPID_VALUE, _CALL, False, default)
        self.help = "" if class_name is None else _native.text(
            _native.lib().lombar_help(handle, -1))
        # Objects of no class (enumerators) are of the class Object itself.
        self.python_class = None if class_name is None else _python_class(class_name, self)

    def find(self, name):
        return self.by_name.get(name.lower())

    def attribute(self, name):
        return self.attributes.get(name.lower())

    def property_let(self, name):
        """For "SetName": the let of the property Name, to be called, when it
        has a let or set accessor."""
        if len(name) <= 3 or name[:3].lower() != "set":
            return None
        member = self.find(name[3:])
        if member is None or (member.get("let") is None and member.get("set") is None):
            return None
        return _calls.Member(member.name, member.dispid, _native.DISPATCH_PROPERTYPUT,
                             "set" in member.accessors, member)

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
        with _surfaces_lock:
            surface = _surfaces.setdefault(class_name, surface)
    return surface


def lookup_dispid(handle, name, kind=ComError):
    dispid = ctypes.c_int32()
    shown = _qualified(handle, None, name)
    check(_native.lib().lombar_get_id_of_name(
        handle, encode_name(name, UNKNOWN_NAME, kind, shown), ctypes.byref(dispid)), kind, shown)
    return dispid.value


def _qualified(handle, dispid, name):
    """What a call is about, as an error names it: the class and member
    ("ICatInfoCol.Add", "ICatInfo default member"), or for no object the
    class asked for."""
    if handle is None:
        return name
    surface = _surface_of(handle)
    if name is None:
        member = surface.by_dispid.get(dispid)
        name = member.name if member else None
    owner = surface.class_name or "enumerator"
    if name is not None:
        return "%s.%s" % (owner, name)
    return "%s %s" % (owner, "default member" if dispid == DISPID_VALUE else "member %s" % dispid)


def _failed(cause, handle, dispid, name):
    """The exception of a failed call: the library's error for an HRESULT, or
    the error raised before the call, naming what the call was about."""
    error = last_error(cause) if isinstance(cause, int) else cause
    return naming(error, _qualified(handle, dispid, name))


def _arrange(member, flags, args, kwargs):
    """Positional `args` and keyword `kwargs` as the positional arguments of
    a call by dispatch: each keyword (a parameter name in any letter case) at
    its parameter's place, the places left between them missing, so that
    they take their defaults; a let's value stays last."""
    accessor = member.accessor_of(flags) if member is not None else None
    names = [param.name.lower() for param in accessor.params] if accessor else []
    value = ()
    if flags & _PUTS and args:
        args, value, names = args[:-1], args[-1:], names[:-1]
    placed = list(args) + [MISSING] * (len(names) - len(args))
    for keyword, argument in kwargs.items():
        position = names.index(keyword.lower()) if keyword.lower() in names else None
        if position is None or placed[position] is not MISSING:
            problem = "not found" if position is None else "given twice"
            raise ArgumentNameError(448, "Named argument %s: %s" % (problem, keyword), SOURCE,
                                    "%s.%s" % (member.owner, member.name) if member else None)
        placed[position] = argument
    while placed and placed[-1] is MISSING:
        placed.pop()
    return tuple(placed) + value


class Object(_calls.Handle):
    """A library object. Holds one reference, given back when the wrapper goes.

    Each library class has a subclass of its own, named after it, whose
    documentation lists the class's members."""

    __module__ = "lombar"
    __slots__ = ()
    _surface = _Surface()

    def __getattr__(self, name):
        # Reached for names the class does not spell so: other letter case,
        # SetName, or none of its members.
        if name.startswith("_"):
            raise AttributeError(name)
        surface = self._surface
        attribute = surface.attribute(name) or surface.property_let(name)
        if attribute is not None:
            return attribute.__get__(self, type(self))
        dispid = lookup_dispid(self._handle, name, MemberError)
        return _calls.Bound(self, _calls.Member(name, dispid, _CALL, False, None))

    def _set_other(self, name, value):
        # o.Name = value for a name the class does not spell so.
        if name.startswith("_"):
            raise AttributeError("%s cannot be assigned" % name)
        attribute = self._surface.attribute(name)
        if attribute is not None:
            return attribute.__set__(self, value)
        dispid = lookup_dispid(self._handle, name, MemberError)
        flags = _calls.put_flags(value, False)
        _calls.invoke(self._handle, dispid, flags, (value,),
                      flags == _native.DISPATCH_PROPERTYPUTREF, name)

    def __call__(self, *args, **kwargs):
        return _calls.Bound(self, self._surface.default)(*args, **kwargs)

    def __getitem__(self, key):
        if isinstance(key, int):
            return self._member_at(key)
        args = key if isinstance(key, tuple) else (key,)
        return _calls.invoke(self._handle, DISPID_VALUE, _native.DISPATCH_PROPERTYGET, args,
                             False, None)

    def _member_at(self, index):
        """The member at `index` from 0 through the enumerator, negative from the end."""
        position = index + len(self) if index < 0 else index
        enumerator = iter(self).enumerator
        if position >= 0 and _calls.skip(enumerator._handle, position) == position:
            member = _calls.next_item(enumerator._handle)
            if member is not _calls.END:
                return member
        raise PositionError(9, "Subscript out of range", SOURCE,
                            "%s[%d]" % (self._surface.class_name or "enumerator", index))

    def __len__(self):
        member = self._surface.find("Count")
        if member is None:
            raise TypeError("%r has no Count" % (self,))
        return _calls.invoke(self._handle, member.dispid, _native.DISPATCH_PROPERTYGET, (),
                             False, member.name)

    def __iter__(self):
        if self._surface.class_name is None:
            return _Members(self)  # an enumerator itself
        return _Members(_calls.invoke(self._handle, DISPID_NEWENUM, _CALL, (), False, "NewEnum"))

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
        return "<lombar.%s at 0x%x>" % (self._surface.class_name or "object", self._handle or 0)


class _Members(object):
    """The members an enumerator gives, as a Python iterator."""

    __slots__ = ("enumerator",)

    def __init__(self, enumerator):
        if not isinstance(enumerator, Object):
            raise ComError(451, "Object not a collection", SOURCE)
        self.enumerator = enumerator

    def __iter__(self):
        return self

    def __next__(self):
        member = _calls.next_item(self.enumerator._handle)
        if member is _calls.END:
            raise StopIteration
        return member


_CLASS_DOC = """{name}: {help}

{identity}

Member names may be written in any letter case. Each member below lists its
accessors: "get" and "let" or "set" (o.Name, o.Name = value; with parameters
o.Name(args) and o.SetName(args, value)) and "method" (o.Name(args)).
Optional parameters are in brackets, with the value they take when left off;
pass lombar.ByRef(value) for a ByRef parameter to receive what the member
leaves there. Arguments may also be given by parameter name (keyword)."""


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
        "__slots__": (),
        "_surface": surface,
        "__doc__": _CLASS_DOC.format(name=class_name, help=surface.help,
                                     identity=_identity(class_name)),
    }
    for name, _kind, _dispid in surface.slots:
        if not name.startswith("_"):  # hidden members: not attributes of the class
            namespace.setdefault(name, surface.attribute(name))
    return type(class_name, (Object,), namespace)


def wrap(handle):
    """The object of a handle, of its class's Python class; takes over the
    caller's reference."""
    try:
        surface = _surface_of(handle)
    except BaseException:
        _native.lib().lombar_release(handle)
        raise
    return (surface.python_class or Object)(handle)


_calls.configure(_native.lib, wrap, _failed, _arrange)


def handle_of(value):
    if not isinstance(value, Object):
        raise TypeError("a library object is needed, not %s" % type(value).__name__)
    return value._handle


def Dispatch(name):
    """Creates an object by ProgID, bare class name or class id text (any case)."""
    if isinstance(name, Object):
        return name
    return _calls.create(encode_name(name, CLASS_NOT_AVAILABLE), name)


def invoke(target, name, kind, *args, **kwargs):
    """Calls a member by name (or dispatch id) and kind ("method", "get", "let",
    "set"); for "let" and "set" the value is the last argument."""
    try:
        flags = KINDS[kind]
    except KeyError:
        raise ValueError("kind must be one of %s, not %r" % (", ".join(KINDS), kind)) from None
    handle = handle_of(target)
    by_id = isinstance(name, int)
    dispid = name if by_id else lookup_dispid(handle, name)
    member = target._surface.by_dispid.get(dispid)
    if kwargs:
        args = _arrange(member, flags, args, kwargs)
    shown = member.name if member else None if by_id else name
    return _calls.invoke(handle, dispid, flags, args, kind == "set", shown)


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
