#include "frame/DiagnosticLog.h"

#include <gtest/gtest.h>
#include <utime.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <regex>

#include "TestSupport.h"
#include "base/CodePage.h"
#include "frame/ErrorTrap.h"
#include "frame/ModuleState.h"
#include "lombar/Enumerator.h"

namespace lombar {
namespace {

namespace fs = std::filesystem;

const std::string kStamp = "20261205|09:08:07";

TEST(DiagnosticLogTest, ErrorLineJoinsLinesAndFitsTheUserNameToTwelve) {
  EXPECT_EQ(ErrorLine(kStamp, "administrator1", " first\r\nsecond\r\nthird  "),
            kStamp + " administrato first][second][third");
  EXPECT_EQ(ErrorLine(kStamp, "bob", "x"), kStamp + " bob          x");
  EXPECT_EQ(ErrorLine(kStamp, "", "x"), kStamp + "              x");
  EXPECT_EQ(TraceLine(kStamp, "  ICatPresetCol | Get XML "), kStamp + " ICatPresetCol | Get XML");
  EXPECT_TRUE(std::regex_match(DateTimeStamp(), std::regex(R"(\d{8}\|\d\d:\d\d:\d\d)")));
}

// Errors are logged always, operations only once setup found the flag file.
TEST(DiagnosticLogTest, TracingStartsAtSetupWhenTheFlagFileExists) {
  LogFolderScope folder;
  InFreshThread([] {
    FileLogError("ICatInfo | Get XML, Error # 13 at line: 0\r\nType mismatch");
    FileLogTrace("ICatInfo | Get XML");
    FileLogError("");  // writes nothing
  });
  EXPECT_FALSE(fs::exists(folder.TraceLog()));
  folder.SwitchTraceOn();
  InFreshThread([] {
    TracePrologue({"ICatList", "Clear"});  // before setup: the switch is still off
    EXPECT_FALSE(TraceSwitch());
    FileLogError("first error");
    EXPECT_TRUE(TraceSwitch());
    TracePrologue({"ICatList", "Clear"});
    TracePrologue({"ICatList", "Get XML"});
  });
  EXPECT_EQ(folder.ErrorLines(),
            (std::vector<std::string>{"ICatInfo | Get XML, Error # 13 at line: 0][Type mismatch",
                                      "first error"}));
  EXPECT_EQ(folder.TraceLines(),
            (std::vector<std::string>{"ICatList | Clear", "ICatList | Get XML"}));
  // Another thread starts with its own state: an empty text runs no setup, the
  // thread's first object does, so tracing starts at once.
  InFreshThread([] {
    FileLogTrace("");
    EXPECT_FALSE(TraceSwitch());
    const Ref<Enumerator> first = MakeRef<Enumerator>(std::vector<Variant>{});
    EXPECT_TRUE(TraceSwitch());
  });
}

// Leaves a trace log of `size` bytes last modified `days_ago` days ago, runs
// setup on a fresh thread, and tells whether the log survived.
bool TraceLogSurvivesSetup(const LogFolderScope& folder, std::uintmax_t size, int days_ago) {
  { std::ofstream(folder.TraceLog()) << "old"; }
  fs::resize_file(folder.TraceLog(), size);
  const std::time_t when = std::time(nullptr) - days_ago * 24 * 3600;
  const utimbuf times{when, when};
  ::utime(folder.TraceLog().c_str(), &times);
  InFreshThread([] { FileLogInit(); });
  return fs::exists(folder.TraceLog());
}

TEST(DiagnosticLogTest, TraceLogRestartsWhenTooLongOrFromAnEarlierDay) {
  LogFolderScope folder;
  folder.SwitchTraceOn();
  EXPECT_TRUE(TraceLogSurvivesSetup(folder, 1'048'576, 0));
  EXPECT_FALSE(TraceLogSurvivesSetup(folder, 1'048'577, 0));
  EXPECT_FALSE(TraceLogSurvivesSetup(folder, 10, 1));
  EXPECT_TRUE(TraceLogSurvivesSetup(folder, 10, 0));
  fs::remove(folder.File(".trace.flg"));  // without the flag the log is left alone
  EXPECT_TRUE(TraceLogSurvivesSetup(folder, 1'048'577, 3));
}

TEST(DiagnosticLogTest, WritersNeverFailWhenTheFilesCannotBeWritten) {
  LogFolderScope folder;
  folder.SwitchTraceOn();
  fs::create_directory(folder.ErrorLog());  // a folder where each log file should be
  fs::create_directory(folder.TraceLog());
  InFreshThread([] {
    EXPECT_NO_THROW(FileLogError("lost\r\nline"));
    EXPECT_NO_THROW(FileLogTrace("lost"));
    const LogState& log = ThreadState().log;
    EXPECT_FALSE(log.error_writer_busy || log.trace_writer_busy);
    EXPECT_TRUE(log.trace_switch);  // setup went on past the folders
  });
  EXPECT_TRUE(fs::is_directory(folder.ErrorLog()));
}

TEST(DiagnosticLogTest, FileExistsAndDeleteHandleWildcards) {
  LogFolderScope folder;
  const fs::path a = folder.Path() / "a.tmp", b = folder.Path() / "b.tmp";
  std::ofstream(a) << "a";
  std::ofstream(b) << "b";
  for (const auto& [name, exists] :
       {std::pair{"a.tmp", true}, {"c.tmp", false}, {"?.tmp", true}, {"*.none", false}})
    EXPECT_EQ(FileExists((folder.Path() / name).string()), exists) << name;
  FileDelete((folder.Path() / "*.tmp").string());
  EXPECT_FALSE(fs::exists(a) || fs::exists(b));
  EXPECT_NO_THROW(FileDelete(a.string()));  // a missing file is no error
}

// LOMBAR_CODEPAGE chooses the process's code page; a value the library does
// not know is refused with a line in the error log, and Windows-1252 serves.
// The page chosen on another thread serves this one: it is the process's.
TEST(CodePageChoiceTest, LombarCodepageChoosesThePageAndAnUnknownOneIsLogged) {
  LogFolderScope folder;
  const std::string c1_and_euro = "\u0085\u20AC";  // a C1 control, the euro sign
  struct Case {
    const char* setting;  // null: unset
    std::uint32_t page;
    std::string read_back;
    bool refused;
  };
  const Case cases[] = {{nullptr, 1252, "?\u20AC", false}, {"", 1252, "?\u20AC", false},
                        {"28591", 28591, "\u0085?", false}, {"1252", 1252, "?\u20AC", false},
                        {"latin1", 1252, "?\u20AC", true},  {"28591 ", 1252, "?\u20AC", true}};
  std::vector<std::string> refusals;
  for (const Case& c : cases) {
    c.setting ? ::setenv("LOMBAR_CODEPAGE", c.setting, 1) : ::unsetenv("LOMBAR_CODEPAGE");
    InFreshThread(ChooseProcessCodePage);
    const std::string label = c.setting ? c.setting : "unset";
    EXPECT_EQ(ProcessCodePage().Number(), c.page) << label;
    EXPECT_EQ(Utf8FromCodePage(CodePageFromUtf8(c1_and_euro)), c.read_back) << label;
    if (!c.refused) continue;
    refusals.push_back("basLIBstd | CodePage, Error # 5 at line: 0][Invalid procedure call or "
                       "argument: LOMBAR_CODEPAGE \"" + std::string(c.setting) +
                       "\" is no code page of the library (1252, 28591); 1252 is used");
  }
  ::unsetenv("LOMBAR_CODEPAGE");
  ChooseProcessCodePage();
  EXPECT_EQ(folder.ErrorLines(), refusals);
}

}  // namespace
}  // namespace lombar
