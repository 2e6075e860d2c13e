#include "frame/Platform.h"

#include <dlfcn.h>
#include <glob.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "base/CodePage.h"

namespace lombar {

std::string ModuleFilePath() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ModuleFilePath), &info) == 0 || !info.dli_fname) return "";
  return info.dli_fname;
}

std::string UserStateHome() {
  const char* state_home = std::getenv("XDG_STATE_HOME");
  if (state_home && *state_home == '/') return state_home;
  const char* home = std::getenv("HOME");
  return home && *home ? std::string(home) + "/.local/state" : ".";
}

bool FolderIsWritable(const std::string& folder) {
  return access(folder.c_str(), W_OK) == 0;
}

std::string ProcessUserName() {
  passwd entry{};
  passwd* found = nullptr;
  char buffer[1024];
  if (getpwuid_r(geteuid(), &entry, buffer, sizeof buffer, &found) != 0 || !found) return "";
  return found->pw_name;
}

std::tm LocalTime(std::time_t when) {
  std::tm parts{};
  localtime_r(&when, &parts);
  return parts;
}

std::optional<FileDates> DatesOfFile(const std::string& name) {
  struct stat info {};
  if (stat(name.c_str(), &info) != 0) return std::nullopt;
  return FileDates{info.st_mtime, static_cast<std::int64_t>(info.st_size)};
}

std::vector<std::string> FilesMatching(const std::string& pattern) {
  glob_t matches{};
  std::vector<std::string> files;
  if (glob(pattern.c_str(), 0, nullptr, &matches) == 0) {
    files.assign(matches.gl_pathv, matches.gl_pathv + matches.gl_pathc);
  }
  globfree(&matches);
  return files;
}

bool DeleteFileClearingAttributes(const std::string& name) {
  // POSIX files carry no attribute that stops a deletion: the folder decides.
  return std::remove(name.c_str()) == 0;
}

PlatformCodePage ChosenCodePage() {
  const char* setting = std::getenv("LOMBAR_CODEPAGE");
  if (!setting || !*setting) return {&Windows1252(), ""};
  if (const CodePage* page = KnownCodePage(setting)) return {page, ""};
  return {&Windows1252(), "LOMBAR_CODEPAGE \"" + std::string(setting) +
                              "\" is no code page of the library (1252, 28591); 1252 is used"};
}

}  // namespace lombar
