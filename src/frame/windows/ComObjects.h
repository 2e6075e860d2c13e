// The COM objects that carry the frame's objects to clients: every library
// object as its dual default interface (IDispatch and the members' table),
// with class information, rich errors and, for a class that fires events,
// connection points; enumerators as IEnumVARIANT; and the class factories.
#pragma once

#include <objbase.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <string>

#include "frame/TypeInfo.h"
#include "lombar/Object.h"

namespace lombar {

// A new COM reference for a library object: the same COM object for the same
// library object while a client holds it, so identity comparisons hold.
// Null for Nothing.
IUnknown* ComObjectOf(const Ref<Object>& object);
// The library object behind a COM object of this library; Nothing for null,
// error 13 for another's object.
Ref<Object> LibraryObjectOf(IUnknown* object);

// The class factory of a creatable class, as a new reference.
HRESULT GetClassFactory(const ClassInfo& info, REFIID interface_id, void** factory);

// COM objects of this library alive: the library may unload when none is,
// no library object is and no class factory is locked.
long LiveComObjects() noexcept;

// The library file's full path.
std::wstring ModuleFileWidePath();

// The embedded type library; null when it cannot be loaded. The system keeps
// loaded type libraries, so each call is cheap; holding none between calls
// lets the library unload (a held type library keeps its file loaded).
Microsoft::WRL::ComPtr<ITypeLib> EmbeddedTypeLibrary();

}  // namespace lombar
