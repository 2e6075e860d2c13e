"""Writes the package's type stubs (lombar/__init__.pyi) from the library's
type information: every class with its members, their parameters, defaults,
Python types and help texts, for editors and type checkers.

    PYTHONPATH=python python3 -m lombar._stubs > python/lombar/__init__.pyi

A test fails when the checked-in stubs no longer match the library's.
"""

import keyword
import sys
import textwrap

from . import _objects
from ._library import classes, constants, typelib

# The Python type a value of each declared type comes back as, and the one a
# parameter of that type takes (automation converts other values too).
RESULT_TYPES = {
    "String": "str",
    "Long": "int",
    "Short": "int",
    "Boolean": "bool",
    "Single": "float",
    "Double": "float",
    "Currency": "Decimal",
    "Date": "float",
    "Variant": "Any",
    "Object": "Object",
    "IUnknown": "Object",
}
PARAMETER_TYPES = dict(RESULT_TYPES, Currency="Union[Decimal, int, float]")
_OBJECTS = (_objects._native.VT_DISPATCH, _objects._native.VT_UNKNOWN)

_HEADER = '''"""{doc}"""

# Generated from the library's type information by python3 -m lombar._stubs;
# a test fails when it no longer matches. A member that gives an object gives
# None where the library gives Nothing.

from decimal import Decimal
from typing import (Any, Generic, Iterator, List, Literal, NoReturn, Optional, Tuple, TypeVar,
                    Union, overload)

__version__: str

_T = TypeVar("_T")
_Kind = Literal["method", "get", "let", "set"]


class ComError(Exception):
    """A failure the library reported: its error number, description and
    source, and what it concerns ("ICatInfoCol.Add")."""
    number: int
    description: str
    source: str
    name: Optional[str]
    def __init__(self, number: int, description: str = ..., source: str = ...,
                 name: Optional[str] = ...) -> None: ...


class ByRef(Generic[_T]):
    """A by-reference argument: the callee reads `value` and may replace it."""
    value: _T
    def __init__(self, value: _T = ...) -> None: ...


# What a by-reference parameter takes: ByRef(value) to receive what the
# member leaves there, or a plain value.
_Ref = Union[ByRef[_T], _T]


class _NullType: ...


Null: _NullType
"""The automation null value, distinct from None (empty)."""


class Object:
    """A library object; each library class has a subclass of its own."""
    def __iter__(self) -> Iterator[Any]: ...
    def __eq__(self, other: object) -> bool: ...
    def __hash__(self) -> int: ...


class WithEvents:
    """Connects handler.On<Event>() to the events of `source` until close()."""
    connected: bool
    def __init__(self, source: Object, handler: Any) -> None: ...
    def close(self) -> None: ...
    def __enter__(self) -> "WithEvents": ...
    def __exit__(self, *exc_info: Any) -> bool: ...


def invoke(target: Object, name: Union[str, int], kind: _Kind, *args: Any, **kwargs: Any) -> Any:
    """Calls a member by name (or dispatch id) and kind; for "let" and "set"
    the value is the last argument."""
def members(target: Object) -> List[Tuple[str, str, int]]:
    """The members of the object's default interface in slot order, as
    (name, kind, dispid) tuples."""
def dispid(target: Object, name: str) -> int:
    """The dispatch id of a member name."""
def class_name(target: Object) -> Optional[str]:
    """The object's class name; None for an object that is no class instance."""
def supports(target: Object, iid: str) -> bool:
    """True when the object answers a request for the interface id."""
def class_ids(class_name: str) -> Tuple[str, str]:
    """(class id, default interface id) of a class, as upper-case texts in braces."""
def classes() -> List[str]:
    """The names of the classes Dispatch creates, in the type library's order."""
def typelib() -> dict:
    """The type library's name, id, version and locale."""
def register() -> None:
    """Registers the library's classes and type library (DllRegisterServer)."""
def unregister() -> None:
    """Removes what register() wrote (DllUnregisterServer)."""
def can_unload_now() -> bool:
    """True when no library object and no class-factory lock is alive."""
'''


def _quoted(text, indent):
    """A docstring of `text`, its paragraphs filled to the stubs' width."""
    text = text.replace("\\", "\\\\").replace('"""', '\\"\\"\\"')
    lines = []
    for paragraph in ('"""%s"""' % text).split("\n"):
        lines += textwrap.wrap(paragraph, 99 - len(indent), break_long_words=False,
                               break_on_hyphens=False) or [""]
    return "\n".join(indent + line if line else "" for line in lines)


class _Class(object):
    """What the stubs say of one library class."""

    def __init__(self, surface):
        self.surface = surface
        self.name = surface.class_name
        self.members = [surface.by_name[key] for key in dict.fromkeys(
            name.lower() for name, _kind, _dispid in surface.slots if not name.startswith("_"))]

    def element(self):
        """The type of the members its enumerator gives: Item's result."""
        item = self.surface.find("Item")
        getter = item and item.get("get")
        return _result(getter.result) if getter else "Any"

    def lines(self):
        yield "class %s(Object):" % self.name
        yield _quoted(self.surface.help, "    ")
        for member in self.members:
            yield from _member_lines(member)
        yield from self._protocol_lines()

    def _protocol_lines(self):
        """len(), iteration, indexing and calls of the default member."""
        surface = self.surface
        if surface.find("Count") is not None:
            yield "    def __len__(self) -> int: ..."
        enumerable = surface.by_dispid.get(_objects.DISPID_NEWENUM) is not None
        if enumerable:
            yield "    def __iter__(self) -> Iterator[%s]: ..." % self.element()
        default = surface.by_dispid.get(_objects.DISPID_VALUE)
        accessor = default and default.accessor_of(_objects._CALL)
        if accessor is not None:
            yield _def("__call__", accessor.params, _result(accessor.result))
            yield _quoted("%s (the default member): %s" % (default.name, default.help), "        ")
        keyed = accessor is not None and accessor.params
        if enumerable and keyed:
            yield "    @overload"
        if enumerable:
            yield "    def __getitem__(self, index: int) -> %s: ..." % self.element()
        if keyed:
            if enumerable:
                yield "    @overload"
            yield "    def __getitem__(self, key: Any) -> %s: ..." % _result(accessor.result)


def _python_type(param, table):
    if param.type in table:
        return table[param.type]
    return param.type  # a class


def _result(param):
    return "None" if param.type is None else _python_type(param, RESULT_TYPES)


def _parameter_type(param):
    """What a parameter takes; None passes Nothing for an object."""
    annotation = _python_type(param, PARAMETER_TYPES)
    return "Optional[%s]" % annotation if param.vt in _OBJECTS else annotation


def _parameter(param, with_default=True):
    annotation = _parameter_type(param)
    if param.by_ref and annotation != "Any":
        annotation = "_Ref[%s]" % annotation
    text = "%s: %s" % (param.name, annotation)
    if param.optional and with_default:
        text += " = %r" % (param.default,) if param.has_default else " = ..."
    return text


def _def(name, params, result, with_defaults=True, body=""):
    """A method's first line, its parameters one a line when it is long."""
    names = [param.name for param in params]
    if any(keyword.iskeyword(name) or not name.isidentifier() for name in names):
        texts = ["*args: Any"]  # names Python cannot take as keywords
    else:
        texts = [_parameter(param, with_defaults) for param in params]
    line = "    def %s(%s) -> %s:%s" % (name, ", ".join(["self"] + texts), result, body)
    if len(line) <= 99:
        return line
    return "    def %s(\n%s\n    ) -> %s:%s" % (
        name, "\n".join("        %s," % text for text in ["self"] + texts), result, body)


def _member_lines(member):
    """A member as the runtime presents it: a property for a get without
    parameters (with a setter for a let or set without), else methods, and
    SetName for a let with parameters."""
    getter, method = member.get("get"), member.get("method")
    puts = [member.get(kind) for kind in ("let", "set") if member.get(kind)]
    doc = _quoted(member.help, "        ")
    name = member.name
    if method is not None:
        yield _def(name, method.params, _result(method.result))
        yield doc
    elif getter is not None and getter.params:
        yield _def(name, getter.params, _result(getter.result))
        yield doc
    elif getter is not None or not [put for put in puts if len(put.params) > 1]:
        yield "    @property"
        yield "    def %s(self) -> %s:" % (name, _result(getter.result) if getter else "NoReturn")
        yield doc
        plain = [put for put in puts if len(put.params) == 1]
        if plain:
            values = dict.fromkeys(_value_type(put) for put in plain)
            value = values.popitem()[0] if len(values) == 1 else "Union[%s]" % ", ".join(values)
            yield "    @%s.setter" % name
            yield "    def %s(self, value: %s) -> None: ..." % (name, value)
    for put in puts:
        if len(put.params) > 1:
            yield from _setter_lines(name, put, doc)


def _setter_lines(name, put, doc):
    """o.SetName(args..., value): the value comes last, so each count of the
    optional parameters before it is a signature of its own."""
    params, value = put.params[:-1], put.params[-1]
    required = [param for param in params if not param.optional]
    counts = range(len(required), len(params) + 1)
    for count in counts:
        if len(counts) > 1:
            yield "    @overload"
        last = count == counts[-1]
        yield _def("Set" + name, params[:count] + [value], "None", False, "" if last else " ...")
        if last:
            yield doc


def _value_type(put):
    """The type a let or set assigns."""
    return _parameter_type(put.params[-1])


def _surfaces():
    """The surfaces of the classes Dispatch makes, then of those only their
    members give (taken from a member without required parameters)."""
    surfaces = {}
    for name in classes():
        surfaces[name] = _objects.Dispatch(name)._surface
    for surface in list(surfaces.values()):
        for member in surface.by_name.values():
            accessor = member.get("method") or member.get("get")
            wanted = accessor and accessor.result.type
            if (wanted and wanted not in surfaces and wanted not in RESULT_TYPES
                    and not any(not param.optional for param in accessor.params)):
                made = _objects.invoke(_objects.Dispatch(surface.class_name), member.name,
                                       accessor.kind)
                surfaces[wanted] = made._surface
    return surfaces


def _dispatch_lines(creatable):
    library = typelib()["name"]
    for name in creatable:
        yield "@overload"
        yield 'def Dispatch(\n    name: Literal["%s", "%s.%s"],\n) -> %s: ...' % (
            name, library, name, name)
    yield "@overload"
    yield "def Dispatch(name: str) -> Object:"
    yield _quoted("Creates an object by ProgID, bare class name or class id text (any case).",
                  "    ")


def _constants_lines():
    yield "class _Constants:"
    yield _quoted("The enumerations' members as attributes.", "    ")
    for name in dir(constants):
        yield "    %s: int" % name
        yield _quoted("%s = %d" % (constants.enumeration(name), getattr(constants, name)), "    ")
    yield "    def enumeration(self, name: str) -> str:"
    yield _quoted("The enumeration a constant belongs to.", "        ")
    yield ""
    yield ""
    yield "constants: _Constants"


def stubs():
    """The text of lombar/__init__.pyi."""
    import lombar

    surfaces = _surfaces()
    parts = [_HEADER.format(doc=lombar.__doc__.strip("\n"))]
    for name, surface in surfaces.items():
        parts.append("\n".join(_Class(surface).lines()) + "\n")
    parts.append("\n".join(_dispatch_lines(classes())) + "\n")
    parts.append("\n".join(_constants_lines()) + "\n")
    return "\n\n".join(parts)


if __name__ == "__main__":
    sys.stdout.write(stubs())
