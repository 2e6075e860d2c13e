#include "frame/Registration.h"

#include "frame/Platform.h"
#include "frame/TypeLibrary.h"

namespace lombar {
namespace {

// The standard marshaller for dual interfaces.
constexpr std::string_view kDispatchProxy = "{00020424-0000-0000-C000-000000000046}";

std::string Version() {
  return std::to_string(TypeLibrary().major) + "." + std::to_string(TypeLibrary().minor);
}

void AddInterface(std::vector<RegistryKey>& keys, const Guid& iid, const std::string& name) {
  const std::string path = "HKEY_CLASSES_ROOT\\Interface\\" + iid.ToString();
  const std::string libid = TypeLibrary().guid.ToString();
  keys.push_back({path, {{"@", name}}});
  keys.push_back({path + "\\ProxyStubClsid32", {{"@", std::string(kDispatchProxy)}}});
  keys.push_back({path + "\\TypeLib", {{"@", libid}, {"Version", Version()}}});
}

// The interfaces a registered type library describes: the default one, its
// earlier identifiers, and the outgoing one.
void AddInterfaces(std::vector<RegistryKey>& keys, const ClassInfo& info) {
  AddInterface(keys, info.iid, info.InterfaceName());
  for (const Guid& earlier : info.earlier_iids)
    AddInterface(keys, earlier, info.InterfaceName());
  if (info.events) AddInterface(keys, info.events->iid, info.events->name);
}

void AddClass(std::vector<RegistryKey>& keys, const ClassInfo& info, const std::string& library) {
  const std::string progid = ProgIdOf(info);
  const std::string clsid = info.clsid.ToString();
  const std::string root = "HKEY_CLASSES_ROOT\\CLSID\\" + clsid;
  keys.push_back({"HKEY_CLASSES_ROOT\\" + progid, {{"@", progid}}});
  keys.push_back({"HKEY_CLASSES_ROOT\\" + progid + "\\Clsid", {{"@", clsid}}});
  keys.push_back({root, {{"@", progid}}});
  keys.push_back({root + "\\InprocServer32", {{"@", library}, {"ThreadingModel", "Apartment"}}});
  keys.push_back({root + "\\ProgID", {{"@", progid}}});
  keys.push_back({root + "\\TypeLib", {{"@", TypeLibrary().guid.ToString()}}});
  keys.push_back({root + "\\VERSION", {{"@", Version()}}});
}

}  // namespace

std::string LibraryFileName() {
  return ModuleFilePath();
}

std::vector<RegistryKey> ClassRegistration(const std::string& library_path) {
  std::vector<RegistryKey> keys;
  for (const ClassInfo* info : CreatableClasses())
    AddClass(keys, *info, library_path);
  return keys;
}

std::vector<RegistryKey> ServerRegistration(const std::string& library_path) {
  const TypeLibraryInfo& library = TypeLibrary();
  const std::string root =
      "HKEY_CLASSES_ROOT\\TypeLib\\" + library.guid.ToString() + "\\" + Version();
  const std::string folder = library_path.substr(0, library_path.find_last_of(kDirSeparator) + 1);
  std::vector<RegistryKey> keys = {
      {root, {{"@", std::string(library.name)}}},
      {root + "\\0\\win32", {{"@", library_path}}},
      {root + "\\FLAGS", {{"@", "0"}}},
      {root + "\\HELPDIR", {{"@", folder}}},
  };
  for (const ClassInfo* info : CreatableClasses()) {
    AddClass(keys, *info, library_path);
    AddInterfaces(keys, *info);
  }
  return keys;
}

}  // namespace lombar
