#include "frame/ErrorTrap.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "lombar/Object.h"

namespace lombar {
namespace {

using testing::ErrorOf;
using testing::InFreshThread;
using testing::LogFolderScope;
using testing::RaisedBy;
using Lines = std::vector<std::string>;

const Operation kGetXml{"ICatPresetCol", "Get XML"};
const Operation kInner{"clsXML", "Add"};

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
  EXPECT_EQ(folder.ErrorLines(), Lines{"ICatPresetCol | Get XML, Error # 91 at line: 0]["
                                       "Object variable or With block variable not set"});
}

TEST(ErrorTrapTest, EachTrappedLevelLogsAndTheCallerGetsTheOutermostMessage) {
  LogFolderScope folder;
  InFreshThread([] {
    const auto raised = RaisedBy([] {
      Trapped(kGetXml, [] { Trapped(kInner, [] { throw Error(-2147, "inner failure"); }); });
    });
    ASSERT_TRUE(raised);
    EXPECT_EQ(raised->Number(), -2147);
    EXPECT_EQ(raised->Source(), kDefaultErrorSource);
    EXPECT_EQ(raised->Description(),
              "ICatPresetCol | Get XML, Error # -2147 at line: 0\r\n"
              "clsXML | Add, Error # -2147 at line: 0\r\ninner failure");
  });
  EXPECT_EQ(folder.ErrorLines(),
            (Lines{"clsXML | Add, Error # -2147 at line: 0][inner failure",
                   "ICatPresetCol | Get XML, Error # -2147 at line: 0][clsXML | Add, Error # -2147 "
                   "at line: 0][inner failure"}));
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
  EXPECT_EQ(folder.ErrorLines(),
            (Lines{"clsXML | XMLcompleteBuild, Error # 51 at line: 0][Internal error",
                   "clsXML | EndGroup, Error # 7 at line: 0][Out of memory"}));
}

}  // namespace
}  // namespace lombar
