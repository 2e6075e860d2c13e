#include "Documents.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "lombar/Error.h"

namespace lombar::tool {
namespace {

bool IsStandardStream(std::string_view path) {
  return path.empty() || path == "-";
}

[[noreturn]] void Fail(std::int32_t number, std::string_view detail) {
  throw Error(number, DescriptionOf(number, detail), "lombar");
}

// Error 61 for a full disk or quota, else 75 with the system's reason.
[[noreturn]] void FailWithSystemError() {
  const int error = errno;
  if (error == ENOSPC || error == EDQUOT) Fail(kDiskFull, "");
  Fail(kPathFileAccessError, error != 0 ? std::strerror(error) : "cannot be written");
}

void WriteAll(int descriptor, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(descriptor, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) FailWithSystemError();
    text.remove_prefix(static_cast<std::size_t>(written));
  }
}

// The path a write to `path` reaches: the file at the end of its chain of
// symbolic links, so that replacing it keeps the links.
std::string ThroughLinks(std::string path) {
  constexpr int kMostLinks = 40;  // as the system follows them
  for (int followed = 0; followed < kMostLinks; ++followed) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    std::error_code error;
    const std::filesystem::path link = std::filesystem::read_symlink(path, error);
    if (error) Fail(kPathFileAccessError, error.message());
    path = link.is_absolute() ? link.string() : (std::filesystem::path(path).parent_path() / link).string();
  }
  errno = ELOOP;
  FailWithSystemError();
}

// What a new file's permissions are: readable and writable as the umask allows.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

void WriteInPlace(const std::string& target, std::string_view text) {
  const int descriptor = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (descriptor < 0) FailWithSystemError();
  try {
    WriteAll(descriptor, text);
  } catch (...) {
    ::close(descriptor);
    throw;
  }
  if (::close(descriptor) != 0) FailWithSystemError();
}

// The temporary file being written, named for a signal handler that
// removes it when the tool is interrupted or terminated meanwhile.
std::atomic<const char*> partial_being_written{nullptr};

extern "C" void RemovePartialAndStop(int signal_number) {
  if (const char* partial = partial_being_written.load()) ::unlink(partial);
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Stop signals held back while a partial file is made and named, so none
// can leave it behind unnamed.
class StopSignalsHeld {
 public:
  StopSignalsHeld() {
    sigset_t stops;
    sigemptyset(&stops);
    for (const int stop : kStopSignals) sigaddset(&stops, stop);
    ::sigprocmask(SIG_BLOCK, &stops, &before_);
  }
  ~StopSignalsHeld() { ::sigprocmask(SIG_SETMASK, &before_, nullptr); }
  StopSignalsHeld(const StopSignalsHeld&) = delete;
  StopSignalsHeld& operator=(const StopSignalsHeld&) = delete;

 private:
  sigset_t before_{};
};

// A new file beside `target`, made by mkstemp (so never through a link
// planted under its name), removed unless Complete renames it into place.
class PartialFile {
 public:
  explicit PartialFile(const std::string& target) : name_(target + ".partial-XXXXXX") {
    const StopSignalsHeld held;
    descriptor_ = ::mkstemp(name_.data());
    if (descriptor_ < 0) FailWithSystemError();
    for (const int stop : kStopSignals) {
      struct sigaction action {};
      action.sa_handler = RemovePartialAndStop;
      ::sigaction(stop, &action, nullptr);
    }
    partial_being_written = name_.c_str();
  }
  ~PartialFile() {
    if (descriptor_ >= 0) ::close(descriptor_);
    if (!complete_) ::unlink(name_.c_str());
    partial_being_written = nullptr;
  }
  PartialFile(const PartialFile&) = delete;
  PartialFile& operator=(const PartialFile&) = delete;

  int descriptor() const { return descriptor_; }

  // On the disk in full, then renamed over `target`.
  void Complete(const std::string& target) {
    if (::fsync(descriptor_) != 0) FailWithSystemError();
    const int descriptor = std::exchange(descriptor_, -1);
    if (::close(descriptor) != 0) FailWithSystemError();
    if (::rename(name_.c_str(), target.c_str()) != 0) FailWithSystemError();
    complete_ = true;
  }

 private:
  std::string name_;
  int descriptor_ = -1;
  bool complete_ = false;
};

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

// A file's text in a string of the file's size: read as a stream, the
// string would grow by doubling, holding the old and the new at once and
// up to twice what it needs. What the file gained since its size was taken
// is read as a stream after it.
std::string ReadSized(std::istream& in, std::uintmax_t size) {
  std::string text(static_cast<std::size_t>(size), '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  const auto read = static_cast<std::size_t>(in.gcount());
  if (read < text.size()) {
    text.resize(read);
    return text;
  }
  const std::string more = ReadStream(in);
  if (!more.empty()) text += more;
  return text;
}

}  // namespace

std::string DescriptionOf(std::int32_t number, std::string_view detail) {
  std::string description(number == kDiskFull             ? "Disk full"
                          : number == kInputPastEndOfFile ? "Input past end of file"
                                                          : StandardDescription(number));
  if (!detail.empty()) description += " (" + std::string(detail) + ")";
  return description;
}

std::string ShownName(std::string_view path, std::string_view standard_stream) {
  return IsStandardStream(path) ? std::string(standard_stream) : std::string(path);
}

std::string ReadDocument(const std::string& path) {
  std::string text;
  if (IsStandardStream(path)) {
    text = ReadStream(std::cin);
    if (std::cin.bad()) Fail(kPathFileAccessError, "cannot be read");
    if (text.empty()) Fail(kInputPastEndOfFile, "");
  } else {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) Fail(kFileNotFound, "");
    if (std::filesystem::is_directory(status)) Fail(kPathFileAccessError, "a folder");
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail(kPathFileAccessError, "cannot be read");
    const std::uintmax_t size = std::filesystem::is_regular_file(status)
                                    ? std::filesystem::file_size(path, error)
                                    : 0;
    text = size > 0 && !error ? ReadSized(in, size) : ReadStream(in);
    if (in.bad()) Fail(kPathFileAccessError, "cannot be read");
  }
  const std::size_t invalid = FirstInvalidUtf8(text);
  if (invalid != std::string_view::npos) {
    Fail(kTypeMismatch, "not UTF-8 text at byte " + std::to_string(invalid + 1));
  }
  return text;
}

void WriteDocument(const std::string& path, std::string_view text) {
  if (IsStandardStream(path)) return WriteAll(STDOUT_FILENO, text);
  const std::string target = ThroughLinks(path);
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) return WriteInPlace(target, text);
  PartialFile partial(target);
  if (::fchmod(partial.descriptor(), exists ? existing.st_mode & 07777 : NewFileMode()) != 0) FailWithSystemError();
  WriteAll(partial.descriptor(), text);
  partial.Complete(target);
}

void CloseStandardOutput() {
  std::cout.flush();
  if (std::fflush(stdout) != 0 || !std::cout) FailWithSystemError();
  if (::close(STDOUT_FILENO) != 0) FailWithSystemError();
}

}  // namespace lombar::tool
