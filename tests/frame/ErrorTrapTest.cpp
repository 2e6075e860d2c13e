#include "frame/ErrorTrap.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "lombar/Object.h"

namespace lombar {
namespace {

using Lines = std::vector<std::string>;

const Operation kGetXml{"ICatPresetCol", "Get XML"};
const Operation kInner{"clsXML", "Add"};
const std::string kNotSet = "Object variable or With block variable not set";

TEST(ErrorTrapTest, EachTrappedLevelLogsAndTheCallerGetsTheOutermostMessage) {
  LogFolderScope folder;
  InFreshThread([] {
    const Ref<Object> nothing = Nothing;
    const auto raised = RaisedBy(
        [&] { Trapped(kGetXml, [&] { Trapped(kInner, [&] { return nothing->References(); }); }); });
    ASSERT_TRUE(raised);
    EXPECT_EQ(raised->Number(), kObjectNotSet);
    EXPECT_EQ(raised->Source(), kDefaultErrorSource);
    EXPECT_EQ(raised->Description(),
              "ICatPresetCol | Get XML, Error # 91 at line: 0\r\n"
              "clsXML | Add, Error # 91 at line: 0\r\n" +
                  kNotSet);
  });
  EXPECT_EQ(folder.ErrorLines(),
            (Lines{"clsXML | Add, Error # 91 at line: 0][" + kNotSet,
                   "ICatPresetCol | Get XML, Error # 91 at line: 0][clsXML | Add, Error # 91 "
                   "at line: 0][" +
                       kNotSet}));
}

// The line a numbered statement reports: the catalog's Summarize.
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
