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
  // text, line, column, what is said there
  const std::vector<std::tuple<std::string, std::size_t, std::size_t, std::string>> faults = {
      {"", 1, 1, "no root element"},
      {"plain", 1, 1, "text outside the root element"},
      {"<a><b></a>", 1, 7, "</a> closes <b>"},
      {"<a>\n  <b>\n</a>", 3, 1, "</a> closes <b>"},
      {"<a></a><b/>", 1, 8, "a second root element"},
      {"<a>", 1, 4, "<a> is not closed"},
      {"</a>", 1, 1, "</a> closes nothing"},
      {"<a x=1/>", 1, 6, "a quoted value is expected"},
      {"<a x='1' x='2'/>", 1, 10, "attribute x repeated"},
      {"<a x='1'y='2'/>", 1, 9, "a space is expected before an attribute"},
      {"<a x='<'/>", 1, 7, "'<' in an attribute value"},
      {"<a>fish & chips</a>", 1, 9, "'&' starts no reference"},
      {"<a>&nbsp;</a>", 1, 4, "unknown reference &nbsp;"},
      {"<a>é&bad;</a>", 1, 5, "unknown reference &bad;"},  // columns count characters
      {"<a><!-- open</a>", 1, 4, "unclosed comment"},
      {"<1a/>", 1, 2, "a name is expected"},
      {"<a></a >x", 1, 9, "text outside the root element"},
      {std::string("<a>\0</a>", 8), 1, 4, "the character U+0000 is not allowed in XML"},
      {"<a x='\x1b'/>", 1, 7, "the character U+001B is not allowed in XML"},
      {"<a><!-- \x7f\x0c --></a>", 1, 10, "the character U+000C is not allowed in XML"},
      {"<a>\xef\xbf\xbe</a>", 1, 4, "the character U+FFFE is not allowed in XML"},
      {"<a>&#0;</a>", 1, 4, "&#0; is a character not allowed in XML"},
      {"<a>&#xD800;</a>", 1, 4, "&#xD800; is a character not allowed in XML"},
      {"<a>&#x110000;</a>", 1, 4, "&#x110000; is a character not allowed in XML"},
      {"<a>&#99999999999999999999;</a>", 1, 4, "&#99999999999999999999; is a character not allowed in XML"},
      {Repeated("<b>", kMostNesting + 1), 1, 3 * kMostNesting + 1,
       "elements nested deeper than 256 levels"},
  };
  for (const auto& [text, line, column, what] : faults) {
    const auto fault = FindXmlFault(text);
    ASSERT_TRUE(fault.has_value()) << text;
    EXPECT_EQ(std::tuple(fault->line, fault->column, fault->what), std::tuple(line, column, what))
        << text;
  }
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
