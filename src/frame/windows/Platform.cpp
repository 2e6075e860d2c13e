// The Windows side of the frame's platform interface. Paths are in the
// process's code page (the "A" functions), as the C runtime's file functions
// the diagnostic logs use take them.
#include "frame/Platform.h"

// windows.h first: the other system headers build on it.
#include <windows.h>

#include <lmcons.h>

#include <array>
#include <cerrno>
#include <cstdlib>

#include "base/CodePage.h"

namespace lombar {
namespace {

std::time_t UnixTime(const FILETIME& when) {
  constexpr std::uint64_t kTicksPerSecond = 10000000;
  constexpr std::uint64_t kEpochDifference = 11644473600ULL;  // 1601 to 1970, in seconds
  const std::uint64_t ticks = (std::uint64_t{when.dwHighDateTime} << 32) | when.dwLowDateTime;
  return static_cast<std::time_t>(ticks / kTicksPerSecond - kEpochDifference);
}

// The characters Windows reads the upper half of a single-byte code page as.
// The library converts through this table, so a character the page lacks
// becomes "?", never a look-alike (no best fit).
std::array<char32_t, 128> UpperHalfOf(UINT number) {
  std::array<char32_t, 128> upper{};
  for (std::size_t i = 0; i < upper.size(); ++i) {
    const char byte = static_cast<char>(0x80 + i);
    wchar_t wide = L'?';
    MultiByteToWideChar(number, 0, &byte, 1, &wide, 1);
    upper[i] = static_cast<char32_t>(wide);
  }
  return upper;
}

std::string FolderOf(const std::string& path) {
  const std::size_t separator = path.find_last_of("\\/:");
  return separator == std::string::npos ? "" : path.substr(0, separator + 1);
}

}  // namespace

std::string ModuleFilePath() {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCSTR>(&ModuleFilePath), &module)) {
    return "";
  }
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  return length == 0 || length == MAX_PATH ? "" : std::string(path, length);
}

std::string UserStateHome() {
  const char* local = std::getenv("LOCALAPPDATA");
  return local && *local ? local : ".";
}

bool FolderIsWritable(const std::string& folder) {
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         !(attributes & FILE_ATTRIBUTE_READONLY);
}

std::string ProcessUserName() {
  char name[UNLEN + 1];
  DWORD size = sizeof name;
  return GetUserNameA(name, &size) ? std::string(name) : "";
}

std::tm LocalTime(std::time_t when) {
  std::tm parts{};
  localtime_s(&parts, &when);
  return parts;
}

std::optional<FileDates> DatesOfFile(const std::string& name) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  const std::int64_t length =
      static_cast<std::int64_t>((std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow);
  return FileDates{UnixTime(data.ftLastWriteTime), length};
}

std::vector<std::string> FilesMatching(const std::string& pattern) {
  std::vector<std::string> files;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  const std::string folder = FolderOf(pattern);
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      files.push_back(folder + found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return files;
}

bool DeleteFileClearingAttributes(const std::string& name) {
  const DWORD attributes = GetFileAttributesA(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetFileAttributesA(name.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
  }
  if (DeleteFileA(name.c_str())) return true;
  const DWORD error = GetLastError();
  errno = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ENOENT : EACCES;
  return false;
}

PlatformCodePage ChosenCodePage() {
  const UINT number = GetACP();
  CPINFO info{};
  if (!GetCPInfo(number, &info) || info.MaxCharSize != 1) {
    return {&Windows1252(), "the process's ANSI code page " + std::to_string(number) +
                                " takes more than one byte a character; 1252 is used"};
  }
  static const CodePage page(number, UpperHalfOf(number));
  return {&page, ""};
}

}  // namespace lombar
