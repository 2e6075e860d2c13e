// Self-registration: the type library and, per creatable class, its class
// id, in-process server entry and ProgID, kept in the registry file.
#pragma once

#include <string>
#include <vector>

#include "frame/RegistryFile.h"

namespace lombar {

// LOMBAR_REGISTRY, else lombar/registry.reg under XDG_DATA_HOME (by default
// ~/.local/share).
std::string RegistryFileName();
// The path of the library file that hosts load.
std::string LibraryFileName();

// Every key and value that registering writes for a library at `library_path`.
std::vector<RegistryKey> ServerRegistration(const std::string& library_path);

// Write, or remove exactly, the server's registration; error 75 when the
// registry file cannot be written.
void RegisterServer();
void UnregisterServer();

}  // namespace lombar
