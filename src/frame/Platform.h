// What the frame asks of the operating system, in one place: the library's
// own file, the user, local time, file dates, wildcard searches and the
// code page. Each
// platform implements it in its own folder (posix/, windows/), so the rest of
// the frame is the same everywhere.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace lombar {

class CodePage;

// The folder separator of the platform's paths.
#ifdef _WIN32
inline constexpr char kDirSeparator = '\\';
#else
inline constexpr char kDirSeparator = '/';
#endif

// The full path of the library file this code was loaded from; "" when unknown.
std::string ModuleFilePath();
// The folder where the user's programs keep their state: XDG_STATE_HOME
// (when absolute, as the base directory rules say) else ~/.local/state on
// POSIX systems, the local application data folder on Windows; "." when
// neither is known.
std::string UserStateHome();
// True when files can be made in `folder`.
bool FolderIsWritable(const std::string& folder);
// The name of the process's user; "" when it cannot be found.
std::string ProcessUserName();
// `when` broken down in local time.
std::tm LocalTime(std::time_t when);

struct FileDates {
  std::time_t modified = 0;
  std::int64_t length = 0;
};
// The file's last change and length; none when it cannot be read.
std::optional<FileDates> DatesOfFile(const std::string& name);
// The files a wildcard name ("*" and "?" in its last part) matches, with their folders.
std::vector<std::string> FilesMatching(const std::string& pattern);
// Deletes a file, first clearing a read-only attribute that would stop it;
// false with errno (ENOENT or another) set when it could not.
bool DeleteFileClearingAttributes(const std::string& name);


// The code page of the library's single-byte texts: on Windows the
// process's ANSI code page, elsewhere the one LOMBAR_CODEPAGE names ("1252"
// or "28591"), Windows-1252 when it is unset or empty. When that page cannot
// serve, Windows-1252, and `refusal` says why.
struct PlatformCodePage {
  const CodePage* page = nullptr;
  std::string refusal;
};
PlatformCodePage ChosenCodePage();

}  // namespace lombar
