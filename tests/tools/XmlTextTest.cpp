#include "XmlText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "FuzzSupport.h"
#include "TestSupport.h"
#include "ToolFuzz.h"

namespace lombar::tool {
namespace {

std::string Repeated(const std::string& text, std::size_t times) {
  std::string repeated;
  for (std::size_t i = 0; i < times; ++i) repeated += text;
  return repeated;
}

TEST(XmlTextTest, FindsTheFirstFaultWithItsLineAndColumn) {
  for (const auto& row : lombar::testing::ReadCases("tools/XmlFaults.cases", 4)) {
    const auto fault = FindXmlFault(row[0]);
    ASSERT_TRUE(fault.has_value()) << row.where;
    EXPECT_EQ(std::tuple(fault->line, fault->column, fault->what),
              std::tuple(std::stoul(row[1]), std::stoul(row[2]), row[3]))
        << row.where;
  }
  const auto deep = FindXmlFault(Repeated("<b>", kMostNesting + 1));
  ASSERT_TRUE(deep.has_value());
  EXPECT_EQ(std::tuple(deep->line, deep->column, deep->what),
            std::tuple(std::size_t{1}, 3 * kMostNesting + 1, std::string("elements nested deeper than 256 levels")));
  const std::string goods[] = {
      "<a/>", "<?xml version=\"1.0\"?>\n<a x=\"&lt;&#60;&#x3C;\">&amp;<![CDATA[<&]]><!-- c --></a>\n",
      "<a b='1' c=\"2\" ><b/></a >", "<a>\t&#9;&#x10FFFF;&#xFFFD;\r\n\x7f</a>",
      Repeated("<b>", kMostNesting) + Repeated("</b>", kMostNesting)};
  for (const std::string& good : goods) {
    EXPECT_FALSE(FindXmlFault(good).has_value()) << good;
  }
}

TEST(XmlTextTest, PrettyPutsOneElementALineAndKeepsTagsAndText) {
  EXPECT_EQ(PrettyXml("<Catalogs><Vehicle><Year>2004</Year><Plate/><VIN></VIN></Vehicle>"
                      "<Info Type=\"P\" Desc=\"a &amp; b\"/><!-- note --><Text> two  spaces </Text>"
                      "<Mixed>lead<b>x</b></Mixed></Catalogs>"),
            "<Catalogs>\n"
            "  <Vehicle>\n"
            "    <Year>2004</Year>\n"
            "    <Plate/>\n"
            "    <VIN></VIN>\n"
            "  </Vehicle>\n"
            "  <Info Type=\"P\" Desc=\"a &amp; b\"/>\n"
            "  <!-- note -->\n"
            "  <Text> two  spaces </Text>\n"
            "  <Mixed>\n"
            "    lead\n"
            "    <b>x</b>\n"
            "  </Mixed>\n"
            "</Catalogs>\n");
  // Blank text between elements is layout, not content: indenting twice changes nothing.
  const std::string once = PrettyXml("<a><b>1</b>\n\n<c/></a>");
  EXPECT_EQ(once, "<a>\n  <b>1</b>\n  <c/>\n</a>\n");
  EXPECT_EQ(PrettyXml(once), once);
}

// The tool's fuzz target's seeds and the inputs it once broke on keep its
// promises in every build, before any fuzzing.
TEST(ToolFuzzSeedsTest, EverySeedAndEveryFormerFindingKeepsThePromises) {
  namespace fs = std::filesystem;
  const lombar::testing::LogFolderScope logs;
  std::size_t replayed = 0;
  for (const char* folder : {"corpus/tool_fuzz", "regressions/tool_fuzz"}) {
    const fs::path inputs = fs::path(LOMBAR_FUZZ_DIR) / folder;
    if (!fs::is_directory(inputs)) continue;
    for (const auto& input : fs::directory_iterator(inputs)) {
      ++replayed;
      try {
        fuzz::RunToolFuzzInput(lombar::testing::ReadFile(input.path()));
      } catch (const fuzz::BrokenPromise& broken) {
        ADD_FAILURE() << input.path().filename() << ": " << broken.what();
      }
    }
  }
  EXPECT_GT(replayed, 0u);
}

}  // namespace
}  // namespace lombar::tool
