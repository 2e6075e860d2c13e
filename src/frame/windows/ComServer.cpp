// The four exports of the in-process server, and registration in the
// system registry: the class keys the frame lists (Registration.h), and the
// type library embedded in the library file, which the system registers
// with the interfaces it describes.
#include <objbase.h>
#include <olectl.h>
#include <wrl/client.h>

#include "frame/Apartment.h"
#include "frame/ClassFactory.h"
#include "frame/Registration.h"
#include "frame/TypeLibrary.h"
#include "frame/windows/ComObjects.h"
#include "frame/windows/ComValues.h"

namespace lombar {
namespace {

constexpr std::string_view kClassesRoot = "HKEY_CLASSES_ROOT\\";

// The key's path under HKEY_CLASSES_ROOT.
std::string SubKeyOf(const RegistryKey& key) {
  return key.path.substr(kClassesRoot.size());
}

void WriteKey(const RegistryKey& key) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, SubKeyOf(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS) {
    RaiseRuntime(kPathFileAccessError);
  }
  LSTATUS status = ERROR_SUCCESS;
  for (const auto& [name, text] : key.values) {
    if (status != ERROR_SUCCESS) break;
    status = RegSetValueExA(handle, name == "@" ? nullptr : name.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1));
  }
  RegCloseKey(handle);
  if (status != ERROR_SUCCESS) RaiseRuntime(kPathFileAccessError);
}

// Deepest keys first, so each key is empty when it goes; a key already gone is no failure.
void DeleteKeys(const std::vector<RegistryKey>& keys) {
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    const LSTATUS status = RegDeleteKeyA(HKEY_CLASSES_ROOT, SubKeyOf(*key).c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
      RaiseRuntime(kPathFileAccessError);
  }
}

std::wstring FolderOf(const std::wstring& path) {
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

}  // namespace

void RegisterServer() {
  for (const RegistryKey& key : ClassRegistration(LibraryFileName()))
    WriteKey(key);
  const Microsoft::WRL::ComPtr<ITypeLib> library = EmbeddedTypeLibrary();
  std::wstring path = ModuleFileWidePath();
  std::wstring folder = FolderOf(path);
  if (!library || FAILED(RegisterTypeLib(library.Get(), path.data(), folder.data()))) {
    RaiseRuntime(kPathFileAccessError);
  }
}

void UnregisterServer() {
  const TypeLibraryInfo& library = TypeLibrary();
  // A type library that is not registered leaves nothing to remove.
  UnRegisterTypeLib(ComGuid(library.guid), library.major, library.minor,
                    static_cast<LCID>(library.lcid), SYS_WIN64);
  DeleteKeys(ClassRegistration(LibraryFileName()));
}

}  // namespace lombar

using namespace lombar;

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* factory) {
  if (!factory) return E_POINTER;
  *factory = nullptr;
  const ClassInfo* info = FindClass(FrameGuid(clsid));
  if (!info || !info->create) return CLASS_E_CLASSNOTAVAILABLE;
  try {
    return GetClassFactory(*info, iid, factory);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

STDAPI DllCanUnloadNow() {
  RunHandedWork();
  const bool idle =
      Object::LiveObjects() == 0 && ClassFactory::Locks() == 0 && LiveComObjects() == 0;
  return idle ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
  try {
    RegisterServer();
    return S_OK;
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}

STDAPI DllUnregisterServer() {
  try {
    UnregisterServer();
    return S_OK;
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}
