#include "frame/ErrorTrap.h"

#include <gtest/gtest.h>

#include <regex>
#include <stdexcept>

#include "TestSupport.h"
#include "lombar/Object.h"

namespace lombar {
namespace {

using testing::ErrorOf;
using testing::InFreshThread;
using testing::LogFolderScope;
using testing::ReadFile;

const Operation kGetXml{"ICatPresetCol", "Get XML"};
const Operation kInner{"clsXML", "Add"};

std::size_t LineCount(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(ErrorTrapTest, NullObjectFailsWithNinetyOneAndTheComposedMessage) {
  LogFolderScope folder;
  InFreshThread([] {
    const Ref<Object> nothing = Nothing;
    const auto [number, description] =
        ErrorOf([&] { Trapped(kGetXml, [&] { return nothing->References(); }); });
    EXPECT_EQ(number, kObjectNotSet);
    EXPECT_EQ(description,
              "ICatPresetCol | Get XML, Error # 91 at line: 0\r\n"
              "Object variable or With block variable not set");
  });
  const std::string log = ReadFile(folder.ErrorLog());
  EXPECT_EQ(LineCount(log), 1u);
  EXPECT_NE(log.find("ICatPresetCol | Get XML, Error # 91 at line: 0][Object variable"),
            std::string::npos);
}

TEST(ErrorTrapTest, EachTrappedLevelLogsAndTheCallerGetsTheOutermostMessage) {
  LogFolderScope folder;
  InFreshThread([] {
    Error raised(0, "");
    try {
      Trapped(kGetXml, [] { Trapped(kInner, [] { throw Error(-2147, "inner failure"); }); });
    } catch (const Error& error) {
      raised = error;
    }
    EXPECT_EQ(raised.Number(), -2147);
    EXPECT_EQ(raised.Source(), kDefaultErrorSource);
    EXPECT_EQ(raised.Description(),
              "ICatPresetCol | Get XML, Error # -2147 at line: 0\r\n"
              "clsXML | Add, Error # -2147 at line: 0\r\ninner failure");
  });
  const std::string log = ReadFile(folder.ErrorLog());
  EXPECT_EQ(LineCount(log), 2u);
  EXPECT_TRUE(std::regex_search(
      log,
      std::regex(
          R"(clsXML \| Add, Error # -2147 at line: 0\]\[inner failure\r\n.*ICatPresetCol \| Get XML, Error # -2147 at line: 0\]\[clsXML \| Add)")));
}

TEST(ErrorTrapTest, NumberedStatementsReportTheFailingLine) {
  LogFolderScope folder;
  const auto [number, description] = ErrorOf([] {
    Trapped(Operation{"ICatItemCol", "Summarize"}, [](Long& line) {
      line = 10;
      line = 20;
      RaiseRuntime(kOverflow);
    });
  });
  EXPECT_EQ(number, kOverflow);
  EXPECT_EQ(description, "ICatItemCol | Summarize, Error # 6 at line: 20\r\nOverflow");
}

TEST(ErrorTrapTest, SwallowedLogsAndCarriesOn) {
  LogFolderScope folder;
  InFreshThread([] {
    EXPECT_EQ(SwallowedOr<std::string>({"clsXML", "XMLcompleteBuild"}, "",
                                       []() -> std::string { throw std::runtime_error("x"); }),
              "");
    EXPECT_EQ(SwallowedOr<int>({"clsXML", "AddXML"}, -1, [] { return 7; }), 7);
    bool ran = false;
    Swallowed({"clsXML", "EndGroup"}, [&] {
      ran = true;
      throw std::bad_alloc();
    });
    EXPECT_TRUE(ran);
  });
  const std::string log = ReadFile(folder.ErrorLog());
  EXPECT_NE(log.find("clsXML | XMLcompleteBuild, Error # 51 at line: 0][Internal error"),
            std::string::npos);
  EXPECT_NE(log.find("clsXML | EndGroup, Error # 7 at line: 0][Out of memory"), std::string::npos);
  EXPECT_EQ(log.find("AddXML"), std::string::npos);
}

}  // namespace
}  // namespace lombar
