#include <gtest/gtest.h>

#include "TestSupport.h"
#include "text/clsXML.h"

namespace lombar {
namespace {

using testing::ErrorOf;
using testing::InFreshThread;
using testing::LogFolderScope;

clsXML Reader(std::string_view text) {
  clsXML reader;
  reader.SetXML(text);
  return reader;
}

TEST(clsXMLReaderTest, ValueFindsTheFirstExactStartTag) {
  EXPECT_EQ(clsXML().Value("Name"), "");
  EXPECT_EQ(Reader("<A>1</A>").Value("Name"), "");
  EXPECT_EQ(Reader("<A>1</A>").Value(""), "");
  EXPECT_EQ(Reader("<Name>  A&amp;B </Name>").Value("Name"), "A&B");
  EXPECT_EQ(Reader("<Name id=\"1\">x</Name>").Value("Name"), "");
  EXPECT_EQ(Reader("<Name>x").Value("Name"), "");
  EXPECT_EQ(Reader("<Name> <b>1</b> </Name>").Value("Name"), "<b>1</b>");  // markup: kept
  EXPECT_EQ(Reader("<Name> &lt;b&gt; </Name>").Value("Name"), "<b>");
  // A same-named child earlier in the text wins; a nested same name cuts the content short.
  EXPECT_EQ(Reader("<Item><Sub><Count>7</Count></Sub><Count>2</Count></Item>").Value("Count"), "7");
  EXPECT_EQ(Reader("<Tag>a<Tag>b</Tag>c</Tag>").Value("Tag"), "a<Tag>b");
}

TEST(clsXMLReaderTest, ValueOccurrencesContinueOrSkipEndForms) {
  clsXML reader = Reader("<V>1</V><V>2</V><V>3</V>");
  EXPECT_EQ(reader.Value("V", 2), "2");
  EXPECT_EQ(reader.Value("V", 3), "3");
  EXPECT_EQ(reader.Value("V", 1), "1");
  EXPECT_EQ(reader.Value("V", 4), "");
  EXPECT_EQ(reader.Value("V", 9), "");
}

TEST(clsXMLReaderTest, AMissedOccurrenceAnswersForLaterOnesUntilTheTextChanges) {
  clsXML reader = Reader("<V>1</V><M a='1'/><V>2</V>");
  EXPECT_EQ(reader.Block("V", 3), "");
  EXPECT_EQ(reader.Block("V", 7), "");
  EXPECT_EQ(reader.Block("V", 2), "<V>2</V>");  // an earlier occurrence is still searched
  EXPECT_EQ(reader.Block("M", 1), "<M a='1'/>");  // other tags are not affected
  EXPECT_EQ(reader.Value("V", 3), "");
  EXPECT_EQ(reader.Value("V", 1), "1");
  // A search continuing from the previous find, with its forms, still looks:
  // a fresh search for the second "E" has no "</E>" to skip, a continued one
  // finds it.
  clsXML attributed = Reader("<E a='1'/><E b='2'/>");
  EXPECT_EQ(attributed.Block("E", 2), "");
  EXPECT_EQ(attributed.Block("E", 1), "<E a='1'/>");
  EXPECT_EQ(attributed.Block("E", 2), "<E b='2'/>");
  // Text added to the reader is searched again.
  reader.AddXML("<V>3</V>");
  EXPECT_EQ(reader.Block("V", 3), "<V>3</V>");
  EXPECT_EQ(reader.Value("V", 3), "3");
}

TEST(clsXMLReaderTest, BlockCutsConsecutiveMembersWithNestedElements) {
  const std::string first =
      "<ICatPreset><Name>a</Name><Vehicle><Year>1</Year></Vehicle></ICatPreset>";
  const std::string second = "<ICatPreset><Vehicle><Make>b</Make></Vehicle></ICatPreset>";
  const std::string third = "<ICatPreset><Name>c</Name></ICatPreset>";
  clsXML reader = Reader("<ICatPresetCol><Count>3</Count><Collection>" + first + second + third +
                         "</Collection></ICatPresetCol>");
  EXPECT_EQ(reader.Value("Count"), "3");
  EXPECT_EQ(reader.Block("ICatPreset", 1), first);
  EXPECT_EQ(reader.Block("ICatPreset", 2), second);
  EXPECT_EQ(reader.Block("ICatPreset", 3), third);
  EXPECT_EQ(reader.Block("ICatPreset", 4), "");
  // Out of sequence the search starts over, skipping end tags.
  EXPECT_EQ(reader.Block("ICatPreset", 2), second);
  EXPECT_EQ(reader.Block("Vehicle", 1), "<Vehicle><Year>1</Year></Vehicle>");
}

TEST(clsXMLReaderTest, BlockFindsAttributedAndSelfClosingElements) {
  EXPECT_EQ(Reader("<Info Type=\"P\"/>").Block("Info", 1), "<Info Type=\"P\"/>");
  EXPECT_EQ(Reader("<Name id=\"1\">x</Name>").Block("Name", 1), "<Name id=\"1\">x</Name>");
  EXPECT_EQ(Reader("  <Name>x</Name>  ").Block("Name", 1), "<Name>x</Name>");
  EXPECT_EQ(Reader("<Name>x").Block("Name", 1), "");
  clsXML infos = Reader("<Col><Info Type=\"A\"/><Info Type=\"B\"/></Col>");
  EXPECT_EQ(infos.Block("Info", 1), "<Info Type=\"A\"/>");
  EXPECT_EQ(infos.Block("Info", 2), "<Info Type=\"B\"/>");
  EXPECT_EQ(infos.Block("Info", 3), "");
}

TEST(clsXMLReaderTest, AttributesReadInWrittenOrder) {
  clsXML reader = Reader("<Info Type=\"P\" Line=\"3\"/>");
  EXPECT_EQ(reader.Attrib("Info", "Type"), "P");
  EXPECT_EQ(reader.Attrib("Info", "Line"), "3");

  clsXML backwards = Reader("<Info Type=\"P\" Line=\"3\"/>");
  EXPECT_EQ(backwards.Attrib("Info", "Line"), "3");
  EXPECT_EQ(backwards.Attrib("Info", "Type"), "");

  clsXML quoting = Reader("<E a='x &amp; y' b=z c=\"\"/><F d=\"9\"/>");
  EXPECT_EQ(quoting.Attrib("E", "a"), "x & y");
  EXPECT_EQ(quoting.Attrib("E", "b"), "");
  EXPECT_EQ(quoting.Attrib("E", "c"), "");
  EXPECT_EQ(quoting.Attrib("E", "d"), "");  // only in a later element
  EXPECT_EQ(quoting.Attrib("F", "d"), "9");
  EXPECT_EQ(quoting.Attrib("G", "d"), "");
  EXPECT_EQ(quoting.Attrib("E", "a"), "x & y");  // another element resets the range

  // New text: the first read searches it from its start.
  clsXML renewed = Reader("<Info Type=\"P\" Line=\"3\"/>");
  EXPECT_EQ(renewed.Attrib("Info", "Line"), "3");
  renewed.SetXML("<Info Type=\"Q\" Line=\"4\"/>");
  EXPECT_EQ(renewed.Attrib("Info", "Type"), "Q");
  EXPECT_EQ(Reader("<Info Type=\"P").Attrib("Info", "Type"), "");
}

TEST(clsXMLReaderTest, EveryEscapedCharacterRoundTrips) {
  const std::string value = "a&b<c>d'e\"f &amp; &lt;x&gt; caf\xC3\xA9";
  clsXML writer;
  writer.SetSnippet(true);
  writer.Add("V", value);
  writer.AddAttrVal("E", "a", value);
  clsXML reader = Reader(writer.XML());
  EXPECT_EQ(reader.Value("V"), value);
  EXPECT_EQ(reader.Attrib("E", "a"), value);
  EXPECT_EQ(reader.GetFieldValue("&amp;lt;"), "&lt;");

  const std::string markup = "<a>1 &amp; 2</a>";
  writer.Clear();
  writer.SetSnippet(true);
  writer.Add("M", markup);
  EXPECT_EQ(writer.XML(), "<M>" + markup + "</M>");
  EXPECT_EQ(Reader(writer.XML()).Value("M"), markup);
}

TEST(clsXMLReaderTest, OverflowingOccurrenceIsLoggedWithTheReaderPrefix) {
  LogFolderScope folder;
  InFreshThread([] {
    clsXML reader = Reader("<V>1</V>");
    const auto [number, description] = ErrorOf([&] { reader.Value("V", -32768); });
    EXPECT_EQ(number, kOverflow);
    EXPECT_EQ(description, "clsXML | Get Value, Error # 6 at line: 0\r\nOverflow");
    EXPECT_EQ(ErrorOf([&] { reader.Block("V", -32768); }).first, kOverflow);
  });
  EXPECT_EQ(folder.ErrorLines(),
            (std::vector<std::string>{"clsXML | Get Value, Error # 6 at line: 0][Overflow",
                                      "clsXML | Get Block, Error # 6 at line: 0][Overflow"}));
}

}  // namespace
}  // namespace lombar
