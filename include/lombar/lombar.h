/*
 * The library's C interface, shaped after the automation model: objects are
 * created by class id or ProgID through the class factory, members are found
 * by name and invoked by dispatch id with variant arguments, errors are read
 * from the thread's error information, and event sinks connect to an
 * object's outgoing interface.
 *
 * Rules shared by every function:
 * - Results are HRESULT codes: 0 (S_OK) on success, 1 (S_FALSE) for a "no",
 *   a negative code on failure. After every failure lombar_error_info() gives
 *   the error's number, source and description: the library's own error, or
 *   for a refused argument the runtime error that stands for the code.
 * - A mistaken argument is refused with the code automation gives for it,
 *   never followed: E_POINTER for a null pointer where one is needed (an out
 *   pointer documented as optional may be null), E_NOINTERFACE for a handle
 *   to an object of another kind (an enumerator where a dispatch object is
 *   needed). Functions that return no code take a null pointer for
 *   nothing: they do nothing, or give null, zero or an empty text. A handle
 *   or text that points at freed or foreign memory cannot be told apart and
 *   is the caller's to avoid.
 * - An object handle is a counted reference: the caller owns each handle it
 *   receives and gives it back with lombar_release(). Two handles to the same
 *   object are equal pointers.
 * - Texts are UTF-8. Texts inside variants are library strings (length
 *   prefixed, like the platform's BSTR): make them with lombar_string_alloc(),
 *   and free what you own with lombar_variant_clear() or lombar_string_free().
 * - Objects are apartment-threaded: use an object on the thread that made it.
 *   Every function that returns a code refuses another thread's object, as
 *   a handle or an argument, with RPC_E_WRONG_THREAD (its error information
 *   has that code as the number) and leaves the object untouched.
 *   lombar_addref() and lombar_release() (so lombar_variant_clear() too)
 *   work on any thread: there the reference is handed to the object's
 *   thread, which adds or releases it when it next passes a handle to the
 *   library or creates an object, or when it ends; an object whose thread
 *   has ended is released at once. lombar_class_name() and lombar_member_count() read
 *   only the object's class and answer on any thread.
 */
#ifndef LOMBAR_LOMBAR_H
#define LOMBAR_LOMBAR_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t lombar_hresult;
typedef struct lombar_object lombar_object;

typedef struct lombar_guid {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
} lombar_guid;

/* HRESULT codes the library returns. */
#define LOMBAR_S_OK 0
#define LOMBAR_S_FALSE 1
#define LOMBAR_E_NOINTERFACE ((lombar_hresult)0x80004002)
#define LOMBAR_E_POINTER ((lombar_hresult)0x80004003)
#define LOMBAR_E_FAIL ((lombar_hresult)0x80004005)
#define LOMBAR_E_INVALIDARG ((lombar_hresult)0x80070057)
#define LOMBAR_E_OUTOFMEMORY ((lombar_hresult)0x8007000E)
#define LOMBAR_CLASS_E_CLASSNOTAVAILABLE ((lombar_hresult)0x80040111)
#define LOMBAR_CONNECT_E_NOCONNECTION ((lombar_hresult)0x80040200)
#define LOMBAR_SELFREG_E_CLASS ((lombar_hresult)0x80040201)
#define LOMBAR_DISP_E_MEMBERNOTFOUND ((lombar_hresult)0x80020003)
#define LOMBAR_DISP_E_TYPEMISMATCH ((lombar_hresult)0x80020005)
#define LOMBAR_DISP_E_UNKNOWNNAME ((lombar_hresult)0x80020006)
#define LOMBAR_DISP_E_BADVARTYPE ((lombar_hresult)0x80020008)
#define LOMBAR_DISP_E_EXCEPTION ((lombar_hresult)0x80020009)
#define LOMBAR_DISP_E_OVERFLOW ((lombar_hresult)0x8002000A)
#define LOMBAR_DISP_E_BADPARAMCOUNT ((lombar_hresult)0x8002000E)
#define LOMBAR_DISP_E_PARAMNOTOPTIONAL ((lombar_hresult)0x8002000F)
#define LOMBAR_RPC_E_WRONG_THREAD ((lombar_hresult)0x8001010E)

/* Variant kinds, numbered as the automation variant types. */
enum lombar_vartype {
  LOMBAR_VT_EMPTY = 0,
  LOMBAR_VT_NULL = 1,
  LOMBAR_VT_I2 = 2,
  LOMBAR_VT_I4 = 3,
  LOMBAR_VT_R4 = 4,
  LOMBAR_VT_R8 = 5,
  LOMBAR_VT_CY = 6,
  LOMBAR_VT_DATE = 7,
  LOMBAR_VT_BSTR = 8,
  LOMBAR_VT_DISPATCH = 9,
  LOMBAR_VT_ERROR = 10,
  LOMBAR_VT_BOOL = 11,
  LOMBAR_VT_VARIANT = 12,
  LOMBAR_VT_UNKNOWN = 13,
  LOMBAR_VT_BYREF = 0x4000
};

/* An automation value. A by-reference argument is LOMBAR_VT_BYREF |
 * LOMBAR_VT_VARIANT with `byref` pointing at the caller's variant, which
 * receives what the callee leaves there; that variant may not be a
 * reference itself. Booleans are -1 (true) or 0. */
typedef struct lombar_variant {
  uint16_t vt;
  union {
    int16_t i2;
    int32_t i4;
    float r4;
    double r8;
    int64_t cy; /* currency: units of 1/10000 */
    double date;
    char* bstr;
    lombar_object* object; /* null for Nothing */
    int32_t scode;
    int16_t boolean;
    struct lombar_variant* byref;
  } value;
} lombar_variant;

/* Invocation kinds, as the automation dispatch flags. */
#define LOMBAR_DISPATCH_METHOD 1
#define LOMBAR_DISPATCH_PROPERTYGET 2
#define LOMBAR_DISPATCH_PROPERTYPUT 4
#define LOMBAR_DISPATCH_PROPERTYPUTREF 8

/* ---- in-process server exports ---- */
/* The class factory of a class id (a handle; see lombar_factory_*). */
lombar_hresult DllGetClassObject(const lombar_guid* clsid, const lombar_guid* iid, void** factory);
/* S_OK when no library object and no factory lock is alive, else S_FALSE. */
lombar_hresult DllCanUnloadNow(void);
lombar_hresult DllRegisterServer(void);
lombar_hresult DllUnregisterServer(void);

lombar_hresult lombar_factory_create(lombar_object* factory, lombar_object** object);
lombar_hresult lombar_factory_lock(lombar_object* factory, int lock);

/* ---- objects ---- */
/* Creates an object by ProgID, bare class name or class id text (any letter
 * case); an unknown name fails with error 429. */
lombar_hresult lombar_create(const char* name, lombar_object** object);
void lombar_addref(lombar_object* object);
void lombar_release(lombar_object* object);
/* S_OK when the object answers the interface id, else S_FALSE. */
lombar_hresult lombar_query_interface(lombar_object* object, const lombar_guid* iid);

/* ---- dispatch ---- */
lombar_hresult lombar_get_id_of_name(lombar_object* object, const char* name, int32_t* dispid);
/* `args` holds `count` arguments in reverse order, as automation passes them
 * (the last argument first; for a property put, the value is args[0]).
 * `result` (may be null) receives the result, which the caller then owns.
 * Failures: DISP_E_MEMBERNOTFOUND for an id or kind the object lacks;
 * DISP_E_BADPARAMCOUNT for a count the member does not take (checked before
 * any argument is read); DISP_E_BADVARTYPE for a variant type the library
 * does not know; E_POINTER for a by-reference argument without its variant,
 * E_INVALIDARG for one pointing at another reference (itself included);
 * DISP_E_PARAMNOTOPTIONAL, DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW for an
 * argument that does not fit its parameter; DISP_E_EXCEPTION for an error the
 * member raised. */
lombar_hresult lombar_invoke(lombar_object* object, int32_t dispid, uint16_t flags,
                             lombar_variant* args, uint32_t count, lombar_variant* result);
/* The next member of an enumerator (from NewEnum): S_OK with the member in
 * `item`, S_FALSE at the end. */
lombar_hresult lombar_enum_next(lombar_object* enumerator, lombar_variant* item);
lombar_hresult lombar_enum_reset(lombar_object* enumerator);

/* ---- errors ---- */
/* The error information the thread's last failed call left: its number (the
 * automation error number), source and description, as new library strings
 * the caller frees; any of the three may be null when not wanted. S_FALSE
 * when there is none (the last call succeeded). */
lombar_hresult lombar_error_info(int32_t* number, char** source, char** description);

/* ---- events ---- */
typedef void (*lombar_event_callback)(void* context, int32_t dispid, const lombar_variant* args,
                                      uint32_t count);
/* Connects a callback to the object's outgoing interface; it is called
 * synchronously for every event fired, before the firing call returns.
 * E_NOINTERFACE for an object that fires no events. */
lombar_hresult lombar_advise(lombar_object* object, lombar_event_callback callback, void* context,
                             uint32_t* cookie);
/* CONNECT_E_NOCONNECTION for a cookie the object did not give out. */
lombar_hresult lombar_unadvise(lombar_object* object, uint32_t cookie);
/* Members of the object's outgoing interface: S_OK with the name (static
 * text) and dispatch id of member `index`; E_INVALIDARG past the end;
 * E_NOINTERFACE for an object that fires no events. */
lombar_hresult lombar_event_member(lombar_object* object, uint32_t index, const char** name,
                                   int32_t* dispid);

/* ---- type information ---- */
/* The class name (static text); null for an object that is no class instance. */
const char* lombar_class_name(lombar_object* object);
/* Members of the object's default interface in slot order. `kind` is one of
 * the LOMBAR_DISPATCH_* flags; `params` counts the parameters (for a put, the
 * value included), `optional` the optional ones. Names are static texts. */
uint32_t lombar_member_count(lombar_object* object);
lombar_hresult lombar_member(lombar_object* object, uint32_t index, const char** name,
                             int32_t* kind, int32_t* dispid, uint32_t* params, uint32_t* optional);
/* Parameter flags, numbered as automation's PARAMFLAG values. */
#define LOMBAR_PARAMFLAG_OPT 0x10
#define LOMBAR_PARAMFLAG_HASDEFAULT 0x20
/* Parameter `param` of member `index` (the member as lombar_member counts
 * them; for a put, the value is the last parameter): its name (static text),
 * its declared type as a variant kind (LOMBAR_VT_VARIANT for any value,
 * LOMBAR_VT_DISPATCH or LOMBAR_VT_UNKNOWN for an object), or'd with
 * LOMBAR_VT_BYREF for a by-reference parameter, as automation's type
 * information describes one; for an object, the class it must be of (static
 * text; null for any object and for other types); its LOMBAR_PARAMFLAG_*
 * flags; and with LOMBAR_PARAMFLAG_HASDEFAULT, in `default_value`, the value
 * an omitted argument takes (a variant the caller owns; left empty
 * otherwise). `param` equal to the parameter count describes the result:
 * null name, no flags, LOMBAR_VT_EMPTY when the member gives none.
 * E_INVALIDARG past the end; every out pointer may be null. */
lombar_hresult lombar_member_param(lombar_object* object, uint32_t index, uint32_t param,
                                   const char** name, uint16_t* vt, const char** class_name,
                                   uint32_t* flags, lombar_variant* default_value);
/* The name a declared type goes by in the help, the reference and the type
 * library's browsers (static text): "String", "Long", "Short", "Boolean",
 * "Single", "Double", "Currency", "Date", "Variant", "Object" (any object;
 * lombar_member_param names the class where one is required), "IUnknown",
 * and "" for LOMBAR_VT_EMPTY (no result); the LOMBAR_VT_BYREF flag is
 * ignored. Null for a kind no declared type has. */
const char* lombar_type_name(uint16_t vt);
/* The help text (static UTF-8 text, a sentence or two) of member `index` of
 * the object's default interface, as lombar_member counts them, or with
 * `index` -1 of the object's class; the empty text where none is written.
 * Null past the end, and for an object that is no class instance. */
const char* lombar_help(lombar_object* object, int32_t index);
/* The classes lombar_create can make, in the type library's order: the bare
 * class name (static text) of class `index`; E_INVALIDARG past the end. */
uint32_t lombar_class_count(void);
lombar_hresult lombar_class(uint32_t index, const char** name);
/* The class id and default interface id of a class named as lombar_create
 * takes; CLASS_E_CLASSNOTAVAILABLE for an unknown name. */
lombar_hresult lombar_class_ids(const char* name, lombar_guid* clsid, lombar_guid* iid);
void lombar_typelib(const char** name, lombar_guid* guid, uint16_t* major, uint16_t* minor,
                    uint32_t* lcid);
/* The enumerations' constants, across all three enumerations; E_INVALIDARG
 * past the end. */
uint32_t lombar_constant_count(void);
lombar_hresult lombar_constant(uint32_t index, const char** enumeration, const char** name,
                               int32_t* value);

/* ---- identifiers, strings and variants ---- */
/* E_INVALIDARG for a text that is no identifier. */
lombar_hresult lombar_guid_parse(const char* text, lombar_guid* guid);
/* Writes "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" and a NUL (39 bytes). */
void lombar_guid_format(const lombar_guid* guid, char* text);
/* A new library string of `length` bytes copied from `utf8`; without `utf8`,
 * `length` NUL bytes. Null when memory runs out. */
char* lombar_string_alloc(const char* utf8, uint32_t length);
uint32_t lombar_string_length(const char* string);
void lombar_string_free(char* string);
/* ---- JSON ---- */
/* The JSON form of `xml`, the XML of an object of class `class_name`, or the
 * XML that `json` stands for (`to_json` 0), as a new library string in
 * `*out` that the caller frees (null after a failure). Error 13 for a text
 * that is not well-formed (bad JSON is described with its line and column),
 * error 5 for a class without an XML form. */
lombar_hresult lombar_convert_json(const char* class_name, const char* text, int to_json, char** out);

/* Frees what the variant owns (its string, its object reference; a reference
 * variant owns nothing) and leaves it empty. */
void lombar_variant_clear(lombar_variant* variant);

#ifdef __cplusplus
}
#endif

#endif /* LOMBAR_LOMBAR_H */
