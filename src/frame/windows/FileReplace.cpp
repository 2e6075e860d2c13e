// The Windows side of locking and replacing files: LockFileEx on the lock
// file, and MoveFileEx over the old file.
#include "frame/FileReplace.h"

#include <windows.h>

#include <cstdio>

#include "lombar/Error.h"

namespace lombar {
namespace {

// Unique among the writers alive at one time: the process and thread ids.
std::string TemporaryNameBeside(const std::string& file_name) {
  return file_name + ".tmp-" + std::to_string(GetCurrentProcessId()) + "-" +
         std::to_string(GetCurrentThreadId());
}

HANDLE AsHandle(int descriptor) {
  return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(descriptor));
}

// A file its owner made read-only stays as it is, as writing it in place would.
void RefuseReadOnly(const std::string& file_name) {
  const DWORD attributes = GetFileAttributesA(file_name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    RaiseRuntime(kPathFileAccessError);
  }
}

}  // namespace

ExclusiveFileLock::ExclusiveFileLock(const std::string& lock_file_name) {
  HANDLE file = CreateFileA(lock_file_name.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) RaiseRuntime(kPathFileAccessError);
  OVERLAPPED whole{};
  if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
    CloseHandle(file);
    RaiseRuntime(kPathFileAccessError);
  }
  // Handles are kernel indices that fit the descriptor the header keeps.
  descriptor_ = static_cast<int>(reinterpret_cast<std::intptr_t>(file));
}

ExclusiveFileLock::~ExclusiveFileLock() {
  CloseHandle(AsHandle(descriptor_));  // and with it the lock
}

bool WriteNewFileWhole(const std::string& file_name, std::string_view text) {
  HANDLE file = CreateFileA(file_name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool written = true;
  while (written && !text.empty()) {
    DWORD count = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1u << 30));
    written = WriteFile(file, text.data(), chunk, &count, nullptr) && count > 0;
    if (written) text.remove_prefix(count);
  }
  // On the disk before the move makes it the file.
  written = written && FlushFileBuffers(file);
  const bool closed = CloseHandle(file);
  return written && closed;
}

void ReplaceFileWhole(const std::string& file_name, std::string_view text, WriteNewFile write) {
  RefuseReadOnly(file_name);
  const std::string temporary = TemporaryNameBeside(file_name);
  const bool replaced =
      write(temporary, text) && MoveFileExA(temporary.c_str(), file_name.c_str(),
                                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!replaced) {
    std::remove(temporary.c_str());
    RaiseRuntime(kPathFileAccessError);
  }
}

void RemoveFileUnlessReadOnly(const std::string& file_name) {
  if (GetFileAttributesA(file_name.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  RefuseReadOnly(file_name);
  if (!DeleteFileA(file_name.c_str())) RaiseRuntime(kPathFileAccessError);
}

}  // namespace lombar
