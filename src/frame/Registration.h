// Self-registration: the type library and, per creatable class, its class
// id, in-process server entry and ProgID. Where the system has a registry
// (windows/) the keys go there; elsewhere into a registry file (posix/).
#pragma once

#include <string>
#include <vector>

#include "frame/RegistryFile.h"

namespace lombar {

// The registry file: LOMBAR_REGISTRY, else lombar/registry.reg under
// XDG_DATA_HOME (by default ~/.local/share). Not used with a system registry.
std::string RegistryFileName();
// The path of the library file that hosts load.
std::string LibraryFileName();

// Per creatable class: its ProgID, class id and in-process server entry. A
// system registry writes the rest itself when the type library is registered.
std::vector<RegistryKey> ClassRegistration(const std::string& library_path);
// Every key and value that registering writes for a library at `library_path`:
// the type library, and per class its keys and its interfaces'.
std::vector<RegistryKey> ServerRegistration(const std::string& library_path);

// Write, or remove exactly, the server's registration; error 75 when the
// registry cannot be written.
void RegisterServer();
void UnregisterServer();

}  // namespace lombar
