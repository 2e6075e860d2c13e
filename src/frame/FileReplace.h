// Files that several threads and processes change: an exclusive lock they
// take turns under, and replacing a file whole so that no reader ever sees
// half of it. Everything that differs between platforms lives in
// FileReplace.cpp.
#pragma once

#include <string>
#include <string_view>

namespace lombar {

// Holds an exclusive lock on `lock_file_name` (created when missing) for as
// long as it lives, waiting for any thread or process that holds it. Error 75
// when the lock file cannot be opened. The lock file is left in place:
// removing it would let a later locker lock a different file.
class ExclusiveFileLock {
 public:
  explicit ExclusiveFileLock(const std::string& lock_file_name);
  ~ExclusiveFileLock();
  ExclusiveFileLock(const ExclusiveFileLock&) = delete;
  ExclusiveFileLock& operator=(const ExclusiveFileLock&) = delete;

 private:
  int descriptor_;
};

// Writes `text` into a new file `file_name`, durably; false when any part of
// it could not be written or the file could not be closed.
using WriteNewFile = bool (*)(const std::string& file_name, std::string_view text);
bool WriteNewFileWhole(const std::string& file_name, std::string_view text);

// Replaces the file `file_name` with `text`: the text goes into a temporary
// file beside it, which is then renamed over it, so the file holds either the
// old text or the new. Error 75 when that fails (and when the file is there
// but not writable); the file is then as it was and the temporary file gone.
// Tests pass a `write` that fails.
void ReplaceFileWhole(const std::string& file_name, std::string_view text,
                      WriteNewFile write = WriteNewFileWhole);

// Removes the file `file_name` when it is there. Error 75 when it is
// read-only, as for ReplaceFileWhole, or cannot be removed; it is then as it was.
void RemoveFileUnlessReadOnly(const std::string& file_name);

}  // namespace lombar
