// Registration where there is no system registry: the keys go to a registry
// file in the REGEDIT4 format (RegistryFile.h).
#include <cstdlib>

#include "frame/Registration.h"

namespace lombar {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : "";
}

}  // namespace

std::string RegistryFileName() {
  if (std::string file = Environment("LOMBAR_REGISTRY"); !file.empty()) return file;
  std::string data = Environment("XDG_DATA_HOME");
  if (data.empty()) data = Environment("HOME") + "/.local/share";
  return data + "/lombar/registry.reg";
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
