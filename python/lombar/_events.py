"""Connecting a Python handler to an object's events."""

import ctypes

from . import _calls, _native, _objects
from ._errors import check
from ._purecall import peek

def _event_names(handle):
    """The object's event names by dispatch id."""
    library = _native.lib()
    names = {}
    name = ctypes.c_char_p()
    dispid = ctypes.c_int32()
    index = 0
    while library.lombar_event_member(
            handle, index, ctypes.byref(name), ctypes.byref(dispid)) == _native.S_OK:
        names[dispid.value] = _native.text(name.value)
        index += 1
    return names


def _sink(handler, names):
    """The C callback that hands each event to handler.On<Event>(args...)."""

    def fire(_context, dispid, args, count):
        try:
            name = names.get(dispid)
            method = getattr(handler, "On" + name, None) if name else None
            if method is None:
                return
            method(*[peek(args[count - 1 - i]) for i in range(count)])
        except BaseException as error:  # raised again by the call that fired the event
            _calls.defer(error)

    return _native.EventCallback(fire)


class WithEvents(object):
    """A connection of `handler` to the events of `source`; each event calls
    handler.On<Event>() before the firing call returns. close() (or leaving
    a `with` block) disconnects."""

    def __init__(self, source, handler):
        handle = _objects.handle_of(source)
        self._source = source
        self._handler = handler
        # The callback must outlive the connection; it holds no reference to self.
        self._callback = _sink(handler, _event_names(handle))
        cookie = ctypes.c_uint32()
        check(_native.lib().lombar_advise(handle, self._callback, None, ctypes.byref(cookie)))
        self._cookie = cookie.value

    @property
    def connected(self):
        return self._cookie is not None

    def close(self):
        """Disconnects; closing again does nothing."""
        cookie = self.__dict__.get("_cookie")
        if cookie is None:
            return
        self._cookie = None
        check(_native.lib().lombar_unadvise(self._source._handle, cookie))

    def __enter__(self):
        return self

    def __exit__(self, *exc_info):
        self.close()
        return False

    def __del__(self):
        try:
            self.close()
        except Exception:
            pass
