/*
 * The package's call path in C: what _purecall.py does over ctypes (the
 * base of library objects, member attributes and bound members, argument
 * and result conversion, invoke, create and enumeration), with the same
 * results and errors, without ctypes' cost on every call. It calls the
 * functions of the library file the package loaded, found by name in it, so
 * it builds with nothing but Python's headers. _purecall.py documents each
 * function; what is slow or rare (wrapping an object of a class not seen
 * yet, turning a failure into an exception, placing keyword arguments,
 * currency as Decimal) goes back to the package's hooks given to configure().
 */
#define PY_SSIZE_T_CLEAN
#include <Python.h>
#include <dlfcn.h>
#include <stddef.h>
#include <stdint.h>
#include <string.h>
#include <structmember.h>

#if PY_VERSION_HEX < 0x030A0000 /* before 3.10 */
static inline PyObject* Py_NewRef(PyObject* object) {
  Py_INCREF(object);
  return object;
}
static int PyModule_AddObjectRef(PyObject* module, const char* name, PyObject* value) {
  Py_INCREF(value);
  if (PyModule_AddObject(module, name, value) == 0) return 0;
  Py_DECREF(value);
  return -1;
}
#endif

/* The C interface's variant and codes, as include/lombar/lombar.h declares
 * them: the package builds without the header. Where setup.py finds the
 * header beside the package (built from the repository), this copy must
 * match it or the build fails. */
typedef struct Variant {
  uint16_t vt;
  union {
    int16_t i2;
    int32_t i4;
    float r4;
    double r8;
    int64_t cy;
    double date;
    char* bstr;
    void* object;
    int32_t scode;
    int16_t boolean;
    struct Variant* byref;
  } value;
} Variant;

enum {
  VT_EMPTY = 0, VT_NULL = 1, VT_I2 = 2, VT_I4 = 3, VT_R4 = 4, VT_R8 = 5, VT_CY = 6, VT_DATE = 7,
  VT_BSTR = 8, VT_DISPATCH = 9, VT_ERROR = 10, VT_BOOL = 11, VT_VARIANT = 12, VT_UNKNOWN = 13,
  VT_BYREF = 0x4000
};
enum { METHOD = 1, GET = 2, PUT = 4, PUTREF = 8 };
enum { S_FALSE = 1 };
#define READ 0
#define PARAM_NOT_FOUND ((int32_t)0x80020004u) /* a missing argument */
#define BY_REFERENCE (VT_BYREF | VT_VARIANT)

#ifdef LOMBAR_CHECK_HEADER
#include <lombar/lombar.h>
_Static_assert(sizeof(Variant) == sizeof(lombar_variant) &&
                   offsetof(Variant, vt) == offsetof(lombar_variant, vt) &&
                   sizeof(((Variant*)0)->vt) == sizeof(((lombar_variant*)0)->vt) &&
                   offsetof(Variant, value) == offsetof(lombar_variant, value) &&
                   sizeof(((Variant*)0)->value) == sizeof(((lombar_variant*)0)->value),
               "the variant's layout differs from lombar.h's");
#define SAME(copy, header) ((int)(copy) == (int)(header))
_Static_assert(SAME(VT_EMPTY, LOMBAR_VT_EMPTY) && SAME(VT_NULL, LOMBAR_VT_NULL) &&
                   SAME(VT_I2, LOMBAR_VT_I2) && SAME(VT_I4, LOMBAR_VT_I4) &&
                   SAME(VT_R4, LOMBAR_VT_R4) && SAME(VT_R8, LOMBAR_VT_R8) &&
                   SAME(VT_CY, LOMBAR_VT_CY) && SAME(VT_DATE, LOMBAR_VT_DATE) &&
                   SAME(VT_BSTR, LOMBAR_VT_BSTR) && SAME(VT_DISPATCH, LOMBAR_VT_DISPATCH) &&
                   SAME(VT_ERROR, LOMBAR_VT_ERROR) && SAME(VT_BOOL, LOMBAR_VT_BOOL) &&
                   SAME(VT_VARIANT, LOMBAR_VT_VARIANT) && SAME(VT_UNKNOWN, LOMBAR_VT_UNKNOWN) &&
                   SAME(VT_BYREF, LOMBAR_VT_BYREF),
               "the variant kinds differ from lombar.h's");
_Static_assert(SAME(METHOD, LOMBAR_DISPATCH_METHOD) && SAME(GET, LOMBAR_DISPATCH_PROPERTYGET) &&
                   SAME(PUT, LOMBAR_DISPATCH_PROPERTYPUT) &&
                   SAME(PUTREF, LOMBAR_DISPATCH_PROPERTYPUTREF) && SAME(S_FALSE, LOMBAR_S_FALSE),
               "the dispatch flags or codes differ from lombar.h's");
#undef SAME
#endif

/* ---- the library's functions ---- */

static struct {
  int32_t (*invoke)(void*, int32_t, uint16_t, Variant*, uint32_t, Variant*);
  int32_t (*create)(const char*, void**);
  void (*addref)(void*);
  void (*release)(void*);
  int32_t (*enum_next)(void*, Variant*);
  const char* (*class_name)(void*);
  char* (*string_alloc)(const char*, uint32_t);
  uint32_t (*string_length)(const char*);
  void (*variant_clear)(Variant*);
} api;

/* ---- what configure() hands over ---- */

static PyObject *hook_library, *hook_wrap, *hook_failed, *hook_arrange;
static PyObject *by_ref_type, *null_value, *missing_value, *decimal_type, *com_error, *source;
static PyObject *currency_units, *currency_value, *overflow;
static PyObject *end_marker;
static PyObject *text_value, *text_set_other, *text_doc, *text_deferred, *text_next;

/* Finds the library's functions in the library ctypes loaded, at the first call. */
static int Bind(void) {
  if (api.invoke) return 0;
  if (!hook_library) {
    PyErr_SetString(PyExc_RuntimeError, "lombar._fastcall is not configured");
    return -1;
  }
  PyObject* library = PyObject_CallNoArgs(hook_library);
  if (!library) return -1;
  PyObject* address = PyObject_GetAttrString(library, "_handle");
  Py_DECREF(library);
  if (!address) return -1;
  void* module = PyLong_AsVoidPtr(address);
  Py_DECREF(address);
  if (PyErr_Occurred()) return -1;
  struct {
    void** slot;
    const char* name;
  } wanted[] = {
      {(void**)&api.create, "lombar_create"},
      {(void**)&api.addref, "lombar_addref"},
      {(void**)&api.release, "lombar_release"},
      {(void**)&api.enum_next, "lombar_enum_next"},
      {(void**)&api.class_name, "lombar_class_name"},
      {(void**)&api.string_alloc, "lombar_string_alloc"},
      {(void**)&api.string_length, "lombar_string_length"},
      {(void**)&api.variant_clear, "lombar_variant_clear"},
      {(void**)&api.invoke, "lombar_invoke"}, /* last: set means all are */
  };
  for (size_t i = 0; i < sizeof wanted / sizeof wanted[0]; ++i) {
    *wanted[i].slot = dlsym(module, wanted[i].name);
    if (!*wanted[i].slot) {
      api.invoke = NULL;
      return PyErr_Format(PyExc_OSError, "lombar: the library file lacks %s", wanted[i].name),
             -1;
    }
  }
  return 0;
}

/* A ComError of the package's own (source "lombar"). */
static PyObject* Refusal(long number, PyObject* description) {
  if (!description) return NULL;
  PyObject* error = PyObject_CallFunction(com_error, "lOO", number, description, source);
  Py_DECREF(description);
  return error;
}

static void RaiseRefusal(long number, PyObject* description) {
  PyObject* error = Refusal(number, description);
  if (error) {
    PyErr_SetObject((PyObject*)Py_TYPE(error), error);
    Py_DECREF(error);
  }
}

/* The exception of a failed call, from the package's hook: `cause` is the
 * HRESULT's number or the exception raised before the call. */
static PyObject* Failure(PyObject* cause, void* handle, PyObject* dispid, PyObject* name) {
  if (!cause) return NULL;
  PyObject* handle_value = handle ? PyLong_FromVoidPtr(handle) : Py_NewRef(Py_None);
  PyObject* error = handle_value ? PyObject_CallFunctionObjArgs(hook_failed, cause, handle_value,
                                                                dispid ? dispid : Py_None,
                                                                name ? name : Py_None, NULL)
                                 : NULL;
  Py_XDECREF(handle_value);
  Py_DECREF(cause);
  return error;
}

static void RaiseFailure(PyObject* cause, void* handle, PyObject* dispid, PyObject* name) {
  PyObject* error = Failure(cause, handle, dispid, name);
  if (error) {
    PyErr_SetObject((PyObject*)Py_TYPE(error), error);
    Py_DECREF(error);
  }
}

/* ---- Handle: the base of library objects ---- */

typedef struct {
  PyObject_HEAD
  void* handle;
  PyObject* weak_references;
} HandleObject;

static PyTypeObject HandleType;

static PyObject* Handle_new(PyTypeObject* type, PyObject* args, PyObject* kwargs) {
  PyObject* value;
  static char* names[] = {"handle", NULL};
  if (!PyArg_ParseTupleAndKeywords(args, kwargs, "O:Handle", names, &value)) return NULL;
  void* handle = value == Py_None ? NULL : PyLong_AsVoidPtr(value);
  if (PyErr_Occurred()) return NULL;
  HandleObject* self = (HandleObject*)type->tp_alloc(type, 0);
  if (self) self->handle = handle;
  return (PyObject*)self;
}

/* Gives back a handle; it may come from the package's ctypes path before this
 * path found the library's functions. */
static void Release(void* handle) {
  if (!api.invoke) {
    PyObject *type, *value, *traceback;
    PyErr_Fetch(&type, &value, &traceback);
    if (Bind() < 0) PyErr_WriteUnraisable(NULL);
    PyErr_Restore(type, value, traceback);
  }
  if (api.invoke) api.release(handle);
}

static void Handle_dealloc(PyObject* self) {
  HandleObject* object = (HandleObject*)self;
  if (object->weak_references) PyObject_ClearWeakRefs(self);
  if (object->handle) Release(object->handle);
  Py_TYPE(self)->tp_free(self);
}

static PyObject* Handle_get_handle(PyObject* self, void* closure) {
  (void)closure;
  void* handle = ((HandleObject*)self)->handle;
  return handle ? PyLong_FromVoidPtr(handle) : Py_NewRef(Py_None);
}

static PyTypeObject MemberType;
static int Member_set(PyObject* self, PyObject* target, PyObject* value);

/* o.Name = value: the member of the class of that name, else the package's _set_other. */
static int Handle_setattro(PyObject* self, PyObject* name, PyObject* value) {
  if (!value) {
    PyErr_Format(PyExc_AttributeError, "%U cannot be deleted", name);
    return -1;
  }
  PyObject* dict = Py_TYPE(self)->tp_dict;
  PyObject* member = dict ? PyDict_GetItemWithError(dict, name) : NULL;
  if (member && PyObject_TypeCheck(member, &MemberType)) return Member_set(member, self, value);
  if (PyErr_Occurred()) return -1;
  PyObject* done = PyObject_CallMethodObjArgs(self, text_set_other, name, value, NULL);
  Py_XDECREF(done);
  return done ? 0 : -1;
}

static PyGetSetDef Handle_getset[] = {
    {"_handle", Handle_get_handle, NULL, "The library object's handle.", NULL},
    {NULL, NULL, NULL, NULL, NULL},
};

static PyTypeObject HandleType = {
    PyVarObject_HEAD_INIT(NULL, 0)
    .tp_name = "lombar._fastcall.Handle",
    .tp_basicsize = sizeof(HandleObject),
    .tp_dealloc = Handle_dealloc,
    .tp_setattro = Handle_setattro,
    .tp_flags = Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE,
    .tp_doc = "The base of library objects: holds one reference to the library object, "
              "given back when the Python object goes.",
    .tp_weaklistoffset = offsetof(HandleObject, weak_references),
    .tp_getset = Handle_getset,
    .tp_new = Handle_new,
};

/* Classes seen, by the static class name the library gives: wrapping an
 * object of one of them needs no call into Python. */
#define KNOWN_CLASSES 64
static struct {
  const char* name;
  PyTypeObject* type;
} known[KNOWN_CLASSES];
static int known_count;

/* The object of a new handle (the reference passes to it). */
static PyObject* Wrap(void* handle) {
  const char* class_name = api.class_name(handle);
  for (int i = 0; class_name && i < known_count; ++i) {
    if (known[i].name != class_name) continue;
    HandleObject* object = (HandleObject*)known[i].type->tp_alloc(known[i].type, 0);
    if (!object) {
      api.release(handle);
      return NULL;
    }
    object->handle = handle;
    return (PyObject*)object;
  }
  PyObject* handle_value = PyLong_FromVoidPtr(handle);
  if (!handle_value) {
    api.release(handle);
    return NULL;
  }
  PyObject* object = PyObject_CallOneArg(hook_wrap, handle_value);
  Py_DECREF(handle_value);
  if (object && class_name && known_count < KNOWN_CLASSES &&
      PyObject_TypeCheck(object, &HandleType)) {
    known[known_count].name = class_name;
    known[known_count].type = (PyTypeObject*)Py_NewRef(Py_TYPE(object));
    ++known_count;
  }
  return object;
}

/* ---- values ---- */

/* The Python value of a variant someone else owns. */
static PyObject* Peek(const Variant* variant) {
  switch (variant->vt) {
    case VT_EMPTY:
      Py_RETURN_NONE;
    case VT_NULL:
      return Py_NewRef(null_value);
    case VT_BOOL:
      return PyBool_FromLong(variant->value.boolean != 0);
    case VT_I2:
      return PyLong_FromLong(variant->value.i2);
    case VT_I4:
      return PyLong_FromLong(variant->value.i4);
    case VT_R4:
      return PyFloat_FromDouble(variant->value.r4);
    case VT_R8:
      return PyFloat_FromDouble(variant->value.r8);
    case VT_CY: {
      PyObject* units = PyLong_FromLongLong(variant->value.cy);
      PyObject* value = units ? PyObject_CallOneArg(currency_value, units) : NULL;
      Py_XDECREF(units);
      return value;
    }
    case VT_DATE:
      return PyFloat_FromDouble(variant->value.date); /* the automation date serial */
    case VT_ERROR:
      return PyLong_FromLong(variant->value.scode);
    case VT_BSTR: {
      const char* text = variant->value.bstr;
      if (!text) return PyUnicode_FromStringAndSize("", 0);
      return PyUnicode_DecodeUTF8(text, api.string_length(text), "surrogateescape");
    }
    case VT_DISPATCH:
    case VT_UNKNOWN:
      if (!variant->value.object) Py_RETURN_NONE;
      api.addref(variant->value.object);
      return Wrap(variant->value.object);
    case BY_REFERENCE:
      return Peek(variant->value.byref);
    default:
      return RaiseRefusal(458, PyUnicode_FromFormat(
                                   "Variable uses an Automation type not supported (%d)",
                                   (int)variant->vt)),
             NULL;
  }
}

/* The Python value of a variant the caller owns; the variant is left empty. */
static PyObject* Take(Variant* variant) {
  if (variant->vt == VT_DISPATCH || variant->vt == VT_UNKNOWN) {
    void* handle = variant->value.object;
    variant->vt = VT_EMPTY;
    if (!handle) Py_RETURN_NONE;
    return Wrap(handle);
  }
  PyObject* value = Peek(variant);
  api.variant_clear(variant);
  return value;
}

static int RaiseOverflow(void) {
  PyObject* error = PyObject_CallNoArgs(overflow);
  if (error) {
    PyErr_SetObject((PyObject*)Py_TYPE(error), error);
    Py_DECREF(error);
  }
  return -1;
}

/* Fills an empty variant with `value`; the variant then owns what it holds.
 * With `nothing`, None goes as an empty object reference. */
static int Fill(Variant* variant, PyObject* value, int nothing) {
  if (value == Py_None) {
    if (nothing) {
      variant->vt = VT_DISPATCH;
      variant->value.object = NULL;
    }
    return 0;
  }
  if (value == null_value) {
    variant->vt = VT_NULL;
  } else if (value == missing_value) {
    variant->vt = VT_ERROR;
    variant->value.scode = PARAM_NOT_FOUND;
  } else if (PyBool_Check(value)) {
    variant->vt = VT_BOOL;
    variant->value.boolean = value == Py_True ? -1 : 0;
  } else if (PyLong_Check(value)) {
    int over = 0;
    const long long number = PyLong_AsLongLongAndOverflow(value, &over);
    if (!over && number >= INT32_MIN && number <= INT32_MAX) {
      variant->vt = VT_I4;
      variant->value.i4 = (int32_t)number;
      return 0;
    }
    const double wide = PyLong_AsDouble(value); /* rounded as float() rounds */
    if (wide == -1.0 && PyErr_Occurred()) {
      if (!PyErr_ExceptionMatches(PyExc_OverflowError)) return -1;
      PyErr_Clear();
      return RaiseOverflow();
    }
    variant->vt = VT_R8;
    variant->value.r8 = wide;
  } else if (PyFloat_Check(value)) {
    variant->vt = VT_R8;
    variant->value.r8 = PyFloat_AS_DOUBLE(value);
  } else if (PyObject_TypeCheck(value, (PyTypeObject*)decimal_type)) {
    PyObject* units = PyObject_CallOneArg(currency_units, value);
    if (!units) return -1;
    const long long cy = PyLong_AsLongLong(units);
    Py_DECREF(units);
    if (cy == -1 && PyErr_Occurred()) return -1;
    variant->vt = VT_CY;
    variant->value.cy = cy;
  } else if (PyUnicode_Check(value)) {
    Py_ssize_t length;
    const char* text = PyUnicode_AsUTF8AndSize(value, &length);
    PyObject* encoded = NULL;
    if (!text) { /* lone surrogates: as surrogateescape writes them */
      PyErr_Clear();
      encoded = PyUnicode_AsEncodedString(value, "utf-8", "surrogateescape");
      if (!encoded) return -1;
      text = PyBytes_AS_STRING(encoded);
      length = PyBytes_GET_SIZE(encoded);
    }
    char* string = api.string_alloc(text, (uint32_t)length);
    Py_XDECREF(encoded);
    if (!string) return PyErr_SetString(PyExc_MemoryError, "lombar: out of memory for a text"), -1;
    variant->vt = VT_BSTR;
    variant->value.bstr = string;
  } else if (PyObject_TypeCheck(value, &HandleType)) {
    void* handle = ((HandleObject*)value)->handle;
    api.addref(handle);
    variant->vt = VT_DISPATCH;
    variant->value.object = handle;
  } else {
    RaiseRefusal(13, PyUnicode_FromFormat("Type mismatch: %s cannot be passed",
                                          Py_TYPE(value)->tp_name));
    return -1;
  }
  return 0;
}

/* ---- errors raised in event handlers, raised again by the firing call ---- */

static Py_ssize_t deferred_count; /* across threads: none means nothing to look at */

static PyObject* DeferredList(int make) {
  PyObject* state = PyThreadState_GetDict();
  if (!state) return NULL;
  PyObject* list = PyDict_GetItemWithError(state, text_deferred);
  if (list || !make || PyErr_Occurred()) return list;
  list = PyList_New(0);
  if (list && PyDict_SetItem(state, text_deferred, list) < 0) Py_CLEAR(list);
  Py_XDECREF(list); /* the thread's dictionary holds it */
  return list;
}

static PyObject* defer(PyObject* module, PyObject* error) {
  (void)module;
  PyObject* list = DeferredList(1);
  if (!list || PyList_Append(list, error) < 0) return NULL;
  ++deferred_count;
  Py_RETURN_NONE;
}

/* The first error this thread deferred, which it no longer keeps; NULL for none. */
static PyObject* TakeDeferred(void) {
  if (deferred_count == 0) return NULL;
  PyObject* list = DeferredList(0);
  if (!list || PyList_GET_SIZE(list) == 0) return NULL;
  PyObject* first = Py_NewRef(PyList_GET_ITEM(list, 0));
  deferred_count -= PyList_GET_SIZE(list);
  PyList_SetSlice(list, 0, PyList_GET_SIZE(list), NULL);
  return first;
}

/* ---- invoke ---- */

#define ON_STACK 16

/* An exception raised and put aside until the call has cleaned up; the first one is kept. */
typedef struct {
  PyObject *type, *value, *traceback;
} Raised;

static void PutAside(Raised* raised) {
  if (raised->type) {
    PyErr_Clear();
  } else {
    PyErr_Fetch(&raised->type, &raised->value, &raised->traceback);
    PyErr_NormalizeException(&raised->type, &raised->value, &raised->traceback);
  }
}

/* Raises `error` (an exception instance; NULL: an exception is put aside). */
static void RaiseInstance(PyObject* error, Raised* raised) {
  if (error) {
    PyErr_SetObject((PyObject*)Py_TYPE(error), error);
    Py_DECREF(error);
  } else {
    PutAside(raised);
  }
}

/* The failed call's exception from the hook, for an HRESULT or the ComError
 * of an argument not passed; NULL with the hook's own failure put aside. */
static PyObject* CallFailure(PyObject* cause, void* handle, int32_t dispid, PyObject* name,
                             Raised* raised) {
  PyObject* id = PyLong_FromLong(dispid);
  PyObject* error = id ? Failure(cause, handle, id, name) : (Py_XDECREF(cause), NULL);
  Py_XDECREF(id);
  if (!error) PutAside(raised);
  return error;
}

static int FillArguments(Variant* array, Variant* inner, PyObject* const* args, Py_ssize_t count,
                         int nothing_last) {
  for (Py_ssize_t position = 0; position < count; ++position) {
    PyObject* value = args[position];
    Variant* slot = &array[count - 1 - position];
    if (PyObject_TypeCheck(value, (PyTypeObject*)by_ref_type)) {
      slot->vt = BY_REFERENCE;
      slot->value.byref = &inner[position];
      PyObject* held = PyObject_GetAttr(value, text_value);
      const int filled = held ? Fill(&inner[position], held, 0) : -1;
      Py_XDECREF(held);
      if (filled < 0) return -1;
    } else if (Fill(slot, value, nothing_last && position == count - 1) < 0) {
      return -1;
    }
  }
  return 0;
}

/* Gives back what the arguments own; by-reference ones receive what the
 * callee left in them when the call succeeded. */
static void ReleaseArguments(Variant* array, Variant* inner, PyObject* const* args,
                             Py_ssize_t count, int succeeded, Raised* raised) {
  for (Py_ssize_t position = 0; position < count; ++position) {
    Variant* slot = &array[count - 1 - position];
    if (slot->vt != BY_REFERENCE) {
      api.variant_clear(slot);
      continue;
    }
    PyObject* value = Take(&inner[position]);
    if (!value || (succeeded && PyObject_SetAttr(args[position], text_value, value) < 0)) {
      PutAside(raised);
    }
    Py_XDECREF(value);
  }
}

/* Invokes a member with Python arguments in declared order; gives its result.
 * An argument that cannot be passed or a failed call raises the package's
 * error naming the member; an error an event handler raised during the call
 * is raised after it. */
static PyObject* Invoke(void* handle, int32_t dispid, uint16_t flags, PyObject* const* args,
                        Py_ssize_t count, int nothing_last, PyObject* name) {
  if (Bind() < 0) return NULL;
  Py_XDECREF(TakeDeferred());
  Variant stack[2 * ON_STACK];
  Variant* array = stack;
  if (count > ON_STACK) {
    array = PyMem_Calloc((size_t)count * 2, sizeof(Variant));
    if (!array) return PyErr_NoMemory();
  } else {
    memset(stack, 0, sizeof(Variant) * 2 * (size_t)count);
  }
  Variant* inner = array + count; /* what by-reference arguments point at */
  Raised raised = {NULL, NULL, NULL};
  PyObject* failure = NULL;
  Variant result = {0};
  int succeeded = 0;
  if (FillArguments(array, inner, args, count, nothing_last) < 0) {
    PutAside(&raised);
    if (PyObject_IsInstance(raised.value, com_error) == 1) { /* an argument not passed */
      PyObject* cause = raised.value;
      Py_CLEAR(raised.type);
      Py_CLEAR(raised.traceback);
      raised.value = NULL;
      failure = CallFailure(cause, handle, dispid, name, &raised);
    }
  } else {
    int32_t hresult;
    Py_BEGIN_ALLOW_THREADS
    hresult = api.invoke(handle, dispid, flags, array, (uint32_t)count, &result);
    Py_END_ALLOW_THREADS
    if (hresult < 0) {
      failure = CallFailure(PyLong_FromLong(hresult), handle, dispid, name, &raised);
    } else {
      succeeded = 1;
    }
  }
  ReleaseArguments(array, inner, args, count, succeeded && !raised.type, &raised);
  if (array != stack) PyMem_Free(array);
  PyObject* value = Take(&result);
  if (!value) PutAside(&raised);
  PyObject* deferred = TakeDeferred();
  if (raised.type || failure || deferred) {
    Py_CLEAR(value);
    if (raised.type) {
      PyErr_Restore(raised.type, raised.value, raised.traceback);
      Py_XDECREF(failure);
      Py_XDECREF(deferred);
    } else if (failure) {
      RaiseInstance(failure, &raised);
      Py_XDECREF(deferred);
    } else {
      RaiseInstance(deferred, &raised);
    }
  }
  return value;
}

/* ---- Member: a member as an attribute of its class ---- */

typedef struct {
  PyObject_HEAD
  PyObject* name;
  int32_t dispid;
  int mode; /* READ, or the dispatch flags of the call it gives */
  char has_set; /* a Boolean, as T_BOOL reads it */
  PyObject* info;
} MemberObject;

static void* HandleOf(PyObject* target) {
  if (!PyObject_TypeCheck(target, &HandleType)) {
    PyErr_Format(PyExc_TypeError, "a library object is needed, not %s", Py_TYPE(target)->tp_name);
    return NULL;
  }
  return ((HandleObject*)target)->handle;
}

static int PutFlags(PyObject* value, int has_set) {
  return PyObject_TypeCheck(value, &HandleType) || (value == Py_None && has_set) ? PUTREF : PUT;
}

static PyObject* Member_new(PyTypeObject* type, PyObject* args, PyObject* kwargs) {
  PyObject *name, *info;
  int dispid, mode, has_set;
  static char* names[] = {"name", "dispid", "mode", "has_set", "info", NULL};
  if (!PyArg_ParseTupleAndKeywords(args, kwargs, "OiipO:Member", names, &name, &dispid, &mode,
                                   &has_set, &info)) {
    return NULL;
  }
  MemberObject* self = (MemberObject*)type->tp_alloc(type, 0);
  if (!self) return NULL;
  self->name = Py_NewRef(name);
  self->dispid = dispid;
  self->mode = mode;
  self->has_set = (char)has_set;
  self->info = Py_NewRef(info);
  return (PyObject*)self;
}

static void Member_dealloc(PyObject* self) {
  MemberObject* member = (MemberObject*)self;
  Py_XDECREF(member->name);
  Py_XDECREF(member->info);
  Py_TYPE(self)->tp_free(self);
}

static PyObject* NewBound(PyObject* target, PyObject* member);

static PyObject* Member_get(PyObject* self, PyObject* target, PyObject* owner) {
  (void)owner;
  MemberObject* member = (MemberObject*)self;
  if (!target || target == Py_None) return Py_NewRef(self);
  void* handle = HandleOf(target);
  if (!handle && PyErr_Occurred()) return NULL;
  if (member->mode == READ) return Invoke(handle, member->dispid, GET, NULL, 0, 0, member->name);
  return NewBound(target, self);
}

static int Member_set(PyObject* self, PyObject* target, PyObject* value) {
  MemberObject* member = (MemberObject*)self;
  if (!value) {
    PyErr_Format(PyExc_AttributeError, "%S cannot be deleted", member->name);
    return -1;
  }
  void* handle = HandleOf(target);
  if (!handle && PyErr_Occurred()) return -1;
  const int flags = PutFlags(value, member->has_set);
  PyObject* done = Invoke(handle, member->dispid, (uint16_t)flags, &value, 1, flags == PUTREF,
                          member->name);
  Py_XDECREF(done);
  return done ? 0 : -1;
}

static int Member_descr_set(PyObject* self, PyObject* target, PyObject* value) {
  return Member_set(self, target, value);
}

/* The member's documentation, from the package's description of it. */
static PyObject* DocOf(PyObject* info) {
  if (info == Py_None) Py_RETURN_NONE;
  return PyObject_CallMethodNoArgs(info, text_doc);
}

static PyObject* Member_get_doc(PyObject* self, void* closure) {
  (void)closure;
  return DocOf(((MemberObject*)self)->info);
}

static PyGetSetDef Member_getset[] = {
    {"__doc__", Member_get_doc, NULL, NULL, NULL},
    {NULL, NULL, NULL, NULL, NULL},
};

static PyMemberDef Member_members[] = {
    {"name", T_OBJECT, offsetof(MemberObject, name), READONLY, NULL},
    {"dispid", T_INT, offsetof(MemberObject, dispid), READONLY, NULL},
    {"mode", T_INT, offsetof(MemberObject, mode), READONLY, NULL},
    {"has_set", T_BOOL, offsetof(MemberObject, has_set), READONLY, NULL},
    {"info", T_OBJECT, offsetof(MemberObject, info), READONLY, NULL},
    {NULL, 0, 0, 0, NULL},
};

static PyTypeObject MemberType = {
    PyVarObject_HEAD_INIT(NULL, 0)
    .tp_name = "lombar._fastcall.Member",
    .tp_basicsize = sizeof(MemberObject),
    .tp_dealloc = Member_dealloc,
    .tp_flags = Py_TPFLAGS_DEFAULT,
    .tp_getset = Member_getset,
    .tp_members = Member_members,
    .tp_descr_get = Member_get,
    .tp_descr_set = Member_descr_set,
    .tp_new = Member_new,
};

/* ---- Bound: a member of one object, to be called ---- */

typedef struct {
  PyObject_HEAD
  PyObject* target;
  MemberObject* member;
  vectorcallfunc vectorcall;
} BoundObject;

static PyObject* Bound_vectorcall(PyObject* self, PyObject* const* args, size_t nargsf,
                                  PyObject* kwnames) {
  BoundObject* bound = (BoundObject*)self;
  MemberObject* member = bound->member;
  void* handle = ((HandleObject*)bound->target)->handle;
  Py_ssize_t count = PyVectorcall_NARGS(nargsf);
  PyObject* arranged = NULL;
  if (kwnames && PyTuple_GET_SIZE(kwnames) > 0) {
    PyObject* positional = PyTuple_New(count);
    PyObject* keywords = PyDict_New();
    for (Py_ssize_t i = 0; positional && keywords && i < PyTuple_GET_SIZE(kwnames) + count; ++i) {
      if (i < count) {
        PyTuple_SET_ITEM(positional, i, Py_NewRef(args[i]));
      } else if (PyDict_SetItem(keywords, PyTuple_GET_ITEM(kwnames, i - count), args[i]) < 0) {
        Py_CLEAR(keywords);
      }
    }
    PyObject* flags = PyLong_FromLong(member->mode);
    if (positional && keywords && flags) {
      arranged = PyObject_CallFunctionObjArgs(hook_arrange, member->info, flags, positional,
                                              keywords, NULL);
    }
    Py_XDECREF(positional);
    Py_XDECREF(keywords);
    Py_XDECREF(flags);
    if (!arranged) return NULL;
    args = &PyTuple_GET_ITEM(arranged, 0);
    count = PyTuple_GET_SIZE(arranged);
  }
  int flags = member->mode;
  int nothing_last = 0;
  PyObject* value = NULL;
  if (flags & (PUT | PUTREF)) {
    if (count == 0) {
      PyObject* cause = Refusal(
          450, PyUnicode_FromString("Wrong number of arguments or invalid property assignment"));
      PyObject* id = PyLong_FromLong(member->dispid);
      if (cause && id) {
        RaiseFailure(cause, handle, id, member->name);
      } else {
        Py_XDECREF(cause);
      }
      Py_XDECREF(id);
      Py_XDECREF(arranged);
      return NULL;
    }
    flags = PutFlags(args[count - 1], member->has_set);
    nothing_last = flags == PUTREF;
  }
  value = Invoke(handle, member->dispid, (uint16_t)flags, args, count, nothing_last, member->name);
  Py_XDECREF(arranged);
  return value;
}

static PyTypeObject BoundType;

/* `member` of `target`, a library object. */
static PyObject* NewBound(PyObject* target, PyObject* member) {
  BoundObject* self = PyObject_New(BoundObject, &BoundType);
  if (!self) return NULL;
  self->target = Py_NewRef(target);
  self->member = (MemberObject*)Py_NewRef(member);
  self->vectorcall = Bound_vectorcall;
  return (PyObject*)self;
}

static PyObject* Bound_new(PyTypeObject* type, PyObject* args, PyObject* kwargs) {
  (void)type;
  PyObject *target, *member;
  static char* names[] = {"target", "member", NULL};
  if (!PyArg_ParseTupleAndKeywords(args, kwargs, "OO!:Bound", names, &target, &MemberType,
                                   &member)) {
    return NULL;
  }
  if (!HandleOf(target) && PyErr_Occurred()) return NULL;
  return NewBound(target, member);
}

static void Bound_dealloc(PyObject* self) {
  BoundObject* bound = (BoundObject*)self;
  Py_XDECREF(bound->target);
  Py_XDECREF((PyObject*)bound->member);
  PyObject_Free(self);
}

static PyObject* Bound_get_doc(PyObject* self, void* closure) {
  (void)closure;
  return DocOf(((BoundObject*)self)->member->info);
}

static PyObject* Bound_repr(PyObject* self) {
  BoundObject* bound = (BoundObject*)self;
  return PyUnicode_FromFormat("<lombar member %S of %R>", bound->member->name, bound->target);
}

static PyGetSetDef Bound_getset[] = {
    {"__doc__", Bound_get_doc, NULL, NULL, NULL},
    {NULL, NULL, NULL, NULL, NULL},
};

static PyMemberDef Bound_members[] = {
    {"target", T_OBJECT, offsetof(BoundObject, target), READONLY, NULL},
    {"member", T_OBJECT, offsetof(BoundObject, member), READONLY, NULL},
    {NULL, 0, 0, 0, NULL},
};

static PyTypeObject BoundType = {
    PyVarObject_HEAD_INIT(NULL, 0)
    .tp_name = "lombar._fastcall.Bound",
    .tp_basicsize = sizeof(BoundObject),
    .tp_dealloc = Bound_dealloc,
    .tp_vectorcall_offset = offsetof(BoundObject, vectorcall),
    .tp_call = PyVectorcall_Call,
    .tp_repr = Bound_repr,
    .tp_flags = Py_TPFLAGS_DEFAULT | Py_TPFLAGS_HAVE_VECTORCALL,
    .tp_getset = Bound_getset,
    .tp_members = Bound_members,
    .tp_new = Bound_new,
};

/* ---- module functions ---- */

static PyObject* invoke(PyObject* module, PyObject* const* args, Py_ssize_t nargs) {
  (void)module;
  if (nargs != 6) return PyErr_SetString(PyExc_TypeError, "invoke takes 6 arguments"), NULL;
  void* handle = PyLong_AsVoidPtr(args[0]);
  const long dispid = PyLong_AsLong(args[1]);
  const long flags = PyLong_AsLong(args[2]);
  const int nothing_last = PyObject_IsTrue(args[4]);
  if (PyErr_Occurred()) return NULL;
  PyObject* sequence = PySequence_Fast(args[3], "invoke takes its arguments as a sequence");
  if (!sequence) return NULL;
  PyObject* value =
      Invoke(handle, (int32_t)dispid, (uint16_t)flags, PySequence_Fast_ITEMS(sequence),
             PySequence_Fast_GET_SIZE(sequence), nothing_last, args[5]);
  Py_DECREF(sequence);
  return value;
}

static PyObject* create(PyObject* module, PyObject* const* args, Py_ssize_t nargs) {
  (void)module;
  if (nargs != 2 || !PyBytes_Check(args[0])) {
    return PyErr_SetString(PyExc_TypeError, "create takes a name as bytes and its text"), NULL;
  }
  if (Bind() < 0) return NULL;
  void* handle = NULL;
  const int32_t hresult = api.create(PyBytes_AS_STRING(args[0]), &handle);
  if (hresult < 0) {
    RaiseFailure(PyLong_FromLong(hresult), NULL, NULL, args[1]);
    return NULL;
  }
  return Wrap(handle);
}

/* The next member into `item`: 1, 0 at the end, -1 with an error raised. */
static int NextVariant(void* enumerator, Variant* item) {
  if (Bind() < 0) return -1;
  const int32_t hresult = api.enum_next(enumerator, item);
  if (hresult < 0) {
    RaiseFailure(PyLong_FromLong(hresult), enumerator, NULL, text_next);
    return -1;
  }
  return hresult != S_FALSE;
}

static PyObject* next_item(PyObject* module, PyObject* enumerator) {
  (void)module;
  void* handle = PyLong_AsVoidPtr(enumerator);
  if (PyErr_Occurred()) return NULL;
  Variant item = {0};
  const int found = NextVariant(handle, &item);
  if (found < 0) return NULL;
  return found ? Take(&item) : Py_NewRef(end_marker);
}

static PyObject* skip(PyObject* module, PyObject* const* args, Py_ssize_t nargs) {
  (void)module;
  if (nargs != 2) return PyErr_SetString(PyExc_TypeError, "skip takes 2 arguments"), NULL;
  void* handle = PyLong_AsVoidPtr(args[0]);
  const Py_ssize_t count = PyLong_AsSsize_t(args[1]);
  if (PyErr_Occurred()) return NULL;
  for (Py_ssize_t skipped = 0; skipped < count; ++skipped) {
    Variant item = {0};
    const int found = NextVariant(handle, &item);
    if (found <= 0) return found < 0 ? NULL : PyLong_FromSsize_t(skipped);
    api.variant_clear(&item);
  }
  return PyLong_FromSsize_t(count);
}

static PyObject* put_flags(PyObject* module, PyObject* const* args, Py_ssize_t nargs) {
  (void)module;
  if (nargs != 2) return PyErr_SetString(PyExc_TypeError, "put_flags takes 2 arguments"), NULL;
  const int has_set = PyObject_IsTrue(args[1]);
  if (has_set < 0) return NULL;
  return PyLong_FromLong(PutFlags(args[0], has_set));
}

/* An attribute of a module of the package, as a new reference. */
static PyObject* Imported(const char* module_name, const char* name) {
  PyObject* module = PyImport_ImportModule(module_name);
  PyObject* value = module ? PyObject_GetAttrString(module, name) : NULL;
  Py_XDECREF(module);
  return value;
}

static PyObject* configure(PyObject* module, PyObject* args, PyObject* kwargs) {
  (void)module;
  PyObject *library, *wrap, *failed, *arrange;
  static char* names[] = {"library", "wrap", "failed", "arrange", NULL};
  if (!PyArg_ParseTupleAndKeywords(args, kwargs, "OOOO:configure", names, &library, &wrap,
                                   &failed, &arrange)) {
    return NULL;
  }
  struct {
    PyObject** slot;
    const char* module;
    const char* name;
  } imported[] = {
      {&by_ref_type, "lombar._values", "ByRef"},
      {&null_value, "lombar._values", "Null"},
      {&missing_value, "lombar._values", "MISSING"},
      {&currency_units, "lombar._values", "currency_units"},
      {&currency_value, "lombar._values", "currency_value"},
      {&overflow, "lombar._values", "overflow"},
      {&com_error, "lombar._errors", "ComError"},
      {&source, "lombar._errors", "SOURCE"},
      {&decimal_type, "decimal", "Decimal"},
  };
  for (size_t i = 0; i < sizeof imported / sizeof imported[0]; ++i) {
    PyObject* value = Imported(imported[i].module, imported[i].name);
    if (!value) return NULL;
    Py_XSETREF(*imported[i].slot, value);
  }
  Py_XSETREF(hook_library, Py_NewRef(library));
  Py_XSETREF(hook_wrap, Py_NewRef(wrap));
  Py_XSETREF(hook_failed, Py_NewRef(failed));
  Py_XSETREF(hook_arrange, Py_NewRef(arrange));
  Py_RETURN_NONE;
}

static PyMethodDef methods[] = {
    {"configure", (PyCFunction)(void (*)(void))configure, METH_VARARGS | METH_KEYWORDS,
     "Takes the package's hooks: library(), wrap(handle), failed(cause, handle, dispid, name), "
     "arrange(info, flags, args, kwargs)."},
    {"invoke", (PyCFunction)(void (*)(void))invoke, METH_FASTCALL,
     "invoke(handle, dispid, flags, args, nothing_last, name): the member's result."},
    {"create", (PyCFunction)(void (*)(void))create, METH_FASTCALL,
     "create(name, shown): a new object of the class `name` (bytes)."},
    {"next_item", next_item, METH_O, "next_item(enumerator): its next member, or END."},
    {"skip", (PyCFunction)(void (*)(void))skip, METH_FASTCALL,
     "skip(enumerator, count): passes over up to count members; how many there were."},
    {"put_flags", (PyCFunction)(void (*)(void))put_flags, METH_FASTCALL,
     "put_flags(value, has_set): the dispatch flags of assigning value."},
    {"defer", defer, METH_O,
     "defer(error): raises error when the call that fired the event returns."},
    {NULL, NULL, 0, NULL},
};

static struct PyModuleDef module_definition = {
    PyModuleDef_HEAD_INIT, "lombar._fastcall",
    "The package's call path in C, the same as _purecall's.", -1, methods,
    NULL, NULL, NULL, NULL,
};

PyMODINIT_FUNC PyInit__fastcall(void) {
  if (PyType_Ready(&HandleType) < 0 || PyType_Ready(&MemberType) < 0 ||
      PyType_Ready(&BoundType) < 0) {
    return NULL;
  }
  text_value = PyUnicode_InternFromString("value");
  text_set_other = PyUnicode_InternFromString("_set_other");
  text_doc = PyUnicode_InternFromString("doc");
  text_deferred = PyUnicode_InternFromString("lombar.deferred");
  text_next = PyUnicode_InternFromString("Next");
  end_marker = PyObject_CallNoArgs((PyObject*)&PyBaseObject_Type);
  PyObject* module = PyModule_Create(&module_definition);
  if (!module || !text_value || !text_set_other || !text_doc || !text_deferred || !text_next ||
      !end_marker) {
    Py_XDECREF(module);
    return NULL;
  }
  PyObject* all = Py_BuildValue("[sssssssssssss]", "END", "PATH", "READ", "Bound", "Handle",
                                "Member", "configure", "create", "defer", "invoke", "next_item",
                                "put_flags", "skip");
  if (PyModule_AddObjectRef(module, "Handle", (PyObject*)&HandleType) < 0 ||
      PyModule_AddObjectRef(module, "Member", (PyObject*)&MemberType) < 0 ||
      PyModule_AddObjectRef(module, "Bound", (PyObject*)&BoundType) < 0 ||
      PyModule_AddObjectRef(module, "END", end_marker) < 0 ||
      PyModule_AddIntConstant(module, "READ", READ) < 0 ||
      PyModule_AddStringConstant(module, "PATH", "C extension") < 0 || !all ||
      PyModule_AddObject(module, "__all__", all) < 0) {
    Py_XDECREF(all);
    Py_DECREF(module);
    return NULL;
  }
  return module;
}
