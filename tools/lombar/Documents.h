// Reading and writing catalog documents for the command-line tool: files or
// the standard streams, failures as library errors naming what went wrong.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lombar::tool {

// Errors of files and streams that the library itself never raises.
enum StreamErrorNumber : std::int32_t {
  kDiskFull = 61,
  kInputPastEndOfFile = 62,
};

// The usual description of an error number, these two included, with any
// detail after it in brackets.
std::string DescriptionOf(std::int32_t number, std::string_view detail = {});

// The name a path is shown under in messages ("standard input" for "-").
std::string ShownName(std::string_view path, std::string_view standard_stream);

// The whole text of `path`, or of standard input for "" and "-". Error 53 for
// a file that does not exist, 75 for one that cannot be read (a folder, no
// permission), 13 for bytes that are not UTF-8 text, 62 for standard input
// that holds nothing.
std::string ReadDocument(const std::string& path);

// Writes `text` to `path`, or to standard output for "" and "-". A file is
// written to a new temporary file beside it and renamed into its place, so
// a failure or an interruption leaves the file as it was; it keeps its
// permissions, and a symbolic link stays one (its file is replaced). A path
// that is no regular file (a device, a pipe) is written in place. Error 61
// on a full disk, 75 with the system's reason on any other failure.
void WriteDocument(const std::string& path, std::string_view text);

// Flushes and closes standard output, with the errors WriteDocument raises:
// the last write to a file may fail only here.
void CloseStandardOutput();

}  // namespace lombar::tool
