// The POSIX side of locking and replacing files; a Windows build puts
// LockFileEx and MoveFileEx (MOVEFILE_REPLACE_EXISTING) in their place.
#include "frame/FileReplace.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <thread>

#include "lombar/Error.h"

namespace lombar {
namespace {

// Unique among the writers alive at one time: the process and thread ids.
std::string TemporaryNameBeside(const std::string& file_name) {
  return file_name + ".tmp-" + std::to_string(::getpid()) + "-" +
         std::to_string(std::hash<std::thread::id>{}(std::this_thread::get_id()));
}

// A file its owner made read-only stays as it is, as writing it in place
// would: it is refused when this process may not write it, or when nobody
// may (for a process that may write anything).
void RefuseReadOnly(const std::string& file_name, const struct stat& existing) {
  if (::access(file_name.c_str(), W_OK) != 0 || (existing.st_mode & 0222) == 0) {
    RaiseRuntime(kPathFileAccessError);
  }
}

}  // namespace

ExclusiveFileLock::ExclusiveFileLock(const std::string& lock_file_name)
    : descriptor_(::open(lock_file_name.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666)) {
  if (descriptor_ < 0) RaiseRuntime(kPathFileAccessError);
  while (::flock(descriptor_, LOCK_EX) != 0) {
    if (errno != EINTR) {
      ::close(descriptor_);
      RaiseRuntime(kPathFileAccessError);
    }
  }
}

ExclusiveFileLock::~ExclusiveFileLock() {
  ::close(descriptor_);  // and with it the lock
}

bool WriteNewFileWhole(const std::string& file_name, std::string_view text) {
  const int descriptor = ::open(file_name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descriptor < 0) return false;
  bool written = true;
  while (written && !text.empty()) {
    const ssize_t count = ::write(descriptor, text.data(), text.size());
    if (count < 0 && errno == EINTR) continue;
    written = count > 0;  // a full disk stops a write short, then fails it
    if (written) text.remove_prefix(static_cast<std::size_t>(count));
  }
  // On the disk before the rename makes it the file: after a crash the file
  // holds the old text or the new, never an empty one.
  written = written && ::fsync(descriptor) == 0;
  const bool closed = ::close(descriptor) == 0;
  return written && closed;
}

void ReplaceFileWhole(const std::string& file_name, std::string_view text, WriteNewFile write) {
  struct stat existing {};
  const bool exists = ::stat(file_name.c_str(), &existing) == 0;
  if (exists) RefuseReadOnly(file_name, existing);
  const std::string temporary = TemporaryNameBeside(file_name);
  const bool replaced = write(temporary, text) &&
                        (!exists || ::chmod(temporary.c_str(), existing.st_mode & 07777) == 0) &&
                        ::rename(temporary.c_str(), file_name.c_str()) == 0;
  if (!replaced) {
    std::remove(temporary.c_str());
    RaiseRuntime(kPathFileAccessError);
  }
}

void RemoveFileUnlessReadOnly(const std::string& file_name) {
  struct stat existing {};
  if (::stat(file_name.c_str(), &existing) != 0) return;
  RefuseReadOnly(file_name, existing);
  if (std::remove(file_name.c_str()) != 0) RaiseRuntime(kPathFileAccessError);
}

}  // namespace lombar
