#include "Documents.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <system_error>

#include <unistd.h>

#include "lombar/Error.h"

namespace lombar::tool {
namespace {

bool IsStandardStream(std::string_view path) {
  return path.empty() || path == "-";
}

[[noreturn]] void Fail(ErrorNumber number, std::string_view detail) {
  std::string description(StandardDescription(number));
  if (!detail.empty()) description += " (" + std::string(detail) + ")";
  throw Error(number, description, "lombar");
}

// The byte offset of the first byte that breaks UTF-8, or npos.
std::size_t FirstInvalidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF4) length = 4;
    else if (lead >= 0xE0) length = 3;
    else if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead >= 0x80) return i;
    if (lead >= 0xF5) return i;
    if (i + length > text.size()) return i;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return i;
    }
    // Overlong three- and four-byte forms, surrogates and code points past U+10FFFF.
    const auto second = static_cast<unsigned char>(length > 1 ? text[i + 1] : 0);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) {
      return i;
    }
    i += length;
  }
  return std::string_view::npos;
}

std::string ReadStream(std::istream& in) {
  std::ostringstream text;
  text << in.rdbuf();
  return std::move(text).str();
}

}  // namespace

std::string ShownName(std::string_view path, std::string_view standard_stream) {
  return IsStandardStream(path) ? std::string(standard_stream) : std::string(path);
}

std::string ReadDocument(const std::string& path) {
  std::string text;
  if (IsStandardStream(path)) {
    text = ReadStream(std::cin);
  } else {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) Fail(kFileNotFound, "");
    if (std::filesystem::is_directory(status)) Fail(kPathFileAccessError, "a folder");
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail(kPathFileAccessError, "cannot be read");
    text = ReadStream(in);
    if (in.bad()) Fail(kPathFileAccessError, "cannot be read");
  }
  const std::size_t invalid = FirstInvalidUtf8(text);
  if (invalid != std::string_view::npos) {
    Fail(kTypeMismatch, "not UTF-8 text at byte " + std::to_string(invalid + 1));
  }
  return text;
}

void WriteDocument(const std::string& path, std::string_view text) {
  if (IsStandardStream(path)) {
    std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
    std::cout.flush();
    return;
  }
  const std::filesystem::path target(path);
  std::filesystem::path partial = target;
  partial += ".partial-" + std::to_string(::getpid());
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(partial, ignored);
      Fail(kPathFileAccessError, "cannot be written");
    }
  }
  std::error_code error;
  std::filesystem::rename(partial, target, error);
  if (error) {
    std::filesystem::remove(partial, error);
    Fail(kPathFileAccessError, "cannot be written");
  }
}

}  // namespace lombar::tool
