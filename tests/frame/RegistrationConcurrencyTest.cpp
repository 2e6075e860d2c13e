// Registering from many threads of many processes at once, and failing half way
// through writing: the registry file is always whole and loses no entry.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "frame/Registration.h"
#include "frame/RegistryFile.h"

namespace lombar {
namespace {

const std::string kForeign =
    "REGEDIT4\r\n\r\n"
    "[HKEY_CLASSES_ROOT\\Other.App]\r\n"
    "@=\"Other\"\r\n\r\n";

constexpr int kRounds = 6;
constexpr auto kOwnerOnly = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;

// A registry file holding another program's entries, in a private folder;
// LOMBAR_REGISTRY names it while the object lives.
class RegistryFolder {
 public:
  RegistryFolder() {
    char pattern[] = "/tmp/lombar-registry-XXXXXX";
    folder_ = ::mkdtemp(pattern);
    file_ = folder_ / "registry.reg";
    std::ofstream(file_, std::ios::binary) << kForeign;
    std::filesystem::permissions(file_, kOwnerOnly);  // which a replaced file must keep
    ::setenv("LOMBAR_REGISTRY", file_.c_str(), 1);
  }
  ~RegistryFolder() {
    ::unsetenv("LOMBAR_REGISTRY");
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  RegistryFolder(const RegistryFolder&) = delete;
  RegistryFolder& operator=(const RegistryFolder&) = delete;

  const std::string& File() const { return file_.native(); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
      names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path folder_;
  std::filesystem::path file_;
};

std::vector<RegistryKey> WorkerKeys(int worker, int round) {
  return {{"HKEY_CLASSES_ROOT\\Worker" + std::to_string(worker) + ".App",
           {{"@", "worker " + std::to_string(worker)}, {"Round", std::to_string(round)}}}};
}

// Registers the server and, each round, writes the worker's own section; odd
// workers take theirs out again each round. Every step is its own update.
void Work(int worker) {
  for (int round = 1; round <= kRounds; ++round) {
    RegisterServer();
    const std::vector<RegistryKey> keys = WorkerKeys(worker, round);
    RegistryFile::Update(RegistryFileName(), [&](RegistryFile& registry) { registry.Write(keys); });
    if (worker % 2 == 1) {
      RegistryFile::Update(RegistryFileName(),
                           [&](RegistryFile& registry) { registry.Erase(keys); });
    }
  }
}

// The text cut before every section header, in sorted order: equal for two
// registries that hold the same sections in any order.
std::vector<std::string> SortedSections(const std::string& text) {
  std::vector<std::string> sections(1);
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size() - 1) + 1;
    if (text[start] == '[') sections.emplace_back();
    sections.back() += text.substr(start, end - start);
    start = end;
  }
  std::sort(sections.begin(), sections.end());
  return sections;
}

// What the file holds after `workers` workers did their work one after another.
std::string ExpectedAfter(int workers) {
  RegistryFile expected = RegistryFile::Parse(kForeign);
  expected.Write(ServerRegistration(LibraryFileName()));
  for (int worker = 0; worker < workers; worker += 2)
    expected.Write(WorkerKeys(worker, kRounds));
  return expected.Text();
}

void ExpectWholeAndComplete(const RegistryFolder& folder, int workers) {
  const std::string text = ReadFile(folder.File());
  EXPECT_TRUE(text.starts_with(kForeign));
  // Nothing lost, nothing left over or torn.
  EXPECT_EQ(SortedSections(text), SortedSections(ExpectedAfter(workers)));
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"registry.reg", "registry.reg.lock"}));
  EXPECT_EQ(std::filesystem::status(folder.File()).permissions(), kOwnerOnly);
}

// Four processes of three threads each.
TEST(RegistrationConcurrencyTest, ThreadsOfManyProcessesAtOnceLoseNothing) {
  const RegistryFolder folder;
  constexpr int kProcesses = 4, kThreads = 3;
  int start[2];
  ASSERT_EQ(::pipe(start), 0);
  std::vector<pid_t> children;
  for (int process = 0; process < kProcesses; ++process) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(start[1]);
      char ignored;
      (void)::read(start[0], &ignored, 1);  // all start when the parent closes the pipe
      std::atomic<bool> failed = false;
      std::vector<std::thread> threads;
      for (int worker = process * kThreads; worker < (process + 1) * kThreads; ++worker) {
        threads.emplace_back([worker, &failed] {
          try {
            Work(worker);
          } catch (...) {
            failed = true;
          }
        });
      }
      for (std::thread& thread : threads)
        thread.join();
      ::_exit(failed ? 1 : 0);
    }
    children.push_back(child);
  }
  ::close(start[0]);
  ::close(start[1]);
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "worker process failed";
  }
  ExpectWholeAndComplete(folder, kProcesses * kThreads);
}

// Ways writing the temporary file can go wrong.
bool FullDisk(const std::string& file_name, std::string_view text) {
  std::ofstream(file_name, std::ios::binary) << text.substr(0, text.size() / 2);
  return false;
}
// Reports success but leaves nothing to rename.
bool LostFile(const std::string&, std::string_view) {
  return true;
}

TEST(RegistrationConcurrencyTest, AFailedWriteLeavesTheFileAsItWas) {
  EXPECT_FALSE(WriteNewFileWhole("/dev/full", "text"));  // the disk's own refusal ends the writing
  for (const WriteNewFile write : {FullDisk, LostFile}) {
    const RegistryFolder folder;
    RegisterServer();
    const std::string before = ReadFile(folder.File());
    const std::vector<RegistryKey> keys = WorkerKeys(1, 1);
    const auto [number, description] = ErrorOf([&] {
      RegistryFile::Update(
          folder.File(), [&](RegistryFile& registry) { registry.Write(keys); }, write);
    });
    EXPECT_EQ(number, kPathFileAccessError);
    EXPECT_EQ(description, "Path/File access error");
    EXPECT_EQ(ReadFile(folder.File()), before);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"registry.reg", "registry.reg.lock"}));
    // Registering again changes nothing, so nothing is written that could fail.
    const std::vector<RegistryKey> server = ServerRegistration(LibraryFileName());
    EXPECT_EQ(ErrorOf([&] {
                RegistryFile::Update(
                    folder.File(), [&](RegistryFile& registry) { registry.Write(server); }, write);
              }).first,
              0);
  }
}

// A read-only file is never changed, nor removed when only the library's
// keys were in it; what would change nothing succeeds.
TEST(RegistrationConcurrencyTest, AReadOnlyFileStaysAsItWas) {
  RegistryFile registered = RegistryFile::Parse("");
  registered.Write(ServerRegistration(LibraryFileName()));
  const std::string ours = registered.Text();
  struct Case {
    std::string text;
    void (*action)();
    std::int32_t number;
  };
  for (const auto& [text, action, number] : std::vector<Case>{{kForeign, RegisterServer, kPathFileAccessError},
                                                              {ours, UnregisterServer, kPathFileAccessError},
                                                              {ours, RegisterServer, 0},
                                                              {kForeign, UnregisterServer, 0}}) {
    const RegistryFolder folder;
    std::ofstream(folder.File(), std::ios::binary | std::ios::trunc) << text;
    using std::filesystem::perms;
    std::filesystem::permissions(folder.File(), perms::owner_read | perms::group_read | perms::others_read);
    EXPECT_EQ(ErrorOf(action).first, number) << text;
    EXPECT_EQ(ReadFile(folder.File()), text);
  }
}

}  // namespace
}  // namespace lombar
