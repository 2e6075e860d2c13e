// Reading and writing catalog documents for the command-line tool: files or
// the standard streams, failures as library errors naming what went wrong.
#pragma once

#include <string>
#include <string_view>

namespace lombar::tool {

// The name a path is shown under in messages ("standard input" for "-").
std::string ShownName(std::string_view path, std::string_view standard_stream);

// The whole text of `path`, or of standard input for "" and "-". Error 53 for
// a file that does not exist, 75 for one that cannot be read (a folder, no
// permission), 13 for bytes that are not UTF-8 text.
std::string ReadDocument(const std::string& path);

// Writes `text` to `path`, or to standard output for "" and "-". A file is
// written beside its final place and renamed into it, so a failure leaves an
// existing file as it was. Error 75 when it cannot be written.
void WriteDocument(const std::string& path, std::string_view text);

}  // namespace lombar::tool
