#include "frame/Registration.h"

#include <dlfcn.h>

#include <cstdlib>

#include "frame/TypeLibrary.h"

namespace lombar {
namespace {

// The standard marshaller for dual interfaces.
constexpr std::string_view kDispatchProxy = "{00020424-0000-0000-C000-000000000046}";

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : "";
}

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
  AddInterface(keys, info.iid, info.InterfaceName());
  for (const Guid& earlier : info.earlier_iids)
    AddInterface(keys, earlier, info.InterfaceName());
  if (info.events) AddInterface(keys, info.events->iid, info.events->name);
}

}  // namespace

std::string RegistryFileName() {
  if (std::string file = Environment("LOMBAR_REGISTRY"); !file.empty()) return file;
  std::string data = Environment("XDG_DATA_HOME");
  if (data.empty()) data = Environment("HOME") + "/.local/share";
  return data + "/lombar/registry.reg";
}

std::string LibraryFileName() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&LibraryFileName), &info) == 0 || !info.dli_fname) return "";
  return info.dli_fname;
}

std::vector<RegistryKey> ServerRegistration(const std::string& library_path) {
  const TypeLibraryInfo& library = TypeLibrary();
  const std::string root =
      "HKEY_CLASSES_ROOT\\TypeLib\\" + library.guid.ToString() + "\\" + Version();
  const std::string folder = library_path.substr(0, library_path.find_last_of('/') + 1);
  std::vector<RegistryKey> keys = {
      {root, {{"@", std::string(library.name)}}},
      {root + "\\0\\win32", {{"@", library_path}}},
      {root + "\\FLAGS", {{"@", "0"}}},
      {root + "\\HELPDIR", {{"@", folder}}},
  };
  for (const ClassInfo* info : CreatableClasses())
    AddClass(keys, *info, library_path);
  return keys;
}

void RegisterServer() {
  const std::vector<RegistryKey> keys = ServerRegistration(LibraryFileName());
  RegistryFile::Update(RegistryFileName(),
                       [&keys](RegistryFile& registry) { registry.Write(keys); });
}

void UnregisterServer() {
  const std::vector<RegistryKey> keys = ServerRegistration(LibraryFileName());
  RegistryFile::Update(RegistryFileName(),
                       [&keys](RegistryFile& registry) { registry.Erase(keys); });
}

}  // namespace lombar
