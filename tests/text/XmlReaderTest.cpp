#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "model/support/TextFailures.h"
#include "text/XmlReader.h"
#include "text/XmlWriter.h"

namespace lombar {
namespace {

XmlReader Reader(std::string_view text) {
  XmlReader reader;
  reader.SetXML(text);
  return reader;
}

TEST(XmlReaderTest, ValueFindsTheFirstExactStartTag) {
  EXPECT_EQ(XmlReader().Value("Name"), "");
  EXPECT_EQ(Reader("<A>1</A>").Value("Name"), "");
  EXPECT_EQ(Reader("<A>1</A>").Value(""), "");
  EXPECT_EQ(Reader("<Name>  A&amp;B </Name>").Value("Name"), "A&B");
  EXPECT_EQ(Reader("<Name id=\"1\">x</Name>").Value("Name"), "");
  EXPECT_EQ(Reader("<Name>x").Value("Name"), "");
  EXPECT_EQ(Reader("<Name> <b>1</b> </Name>").Value("Name"), "<b>1</b>");  // markup: kept
  EXPECT_EQ(Reader("<Name> &lt;b&gt; </Name>").Value("Name"), "<b>");
  EXPECT_EQ(Reader("<M><a>1 &amp; 2</a></M>").Value("M"), "<a>1 &amp; 2</a>");  // markup: as is
  EXPECT_EQ(XmlReader().GetFieldValue("&amp;lt;"), "&lt;");  // unescaped once
  // A same-named child earlier in the text wins; a nested same name cuts the content short.
  EXPECT_EQ(Reader("<Item><Sub><Count>7</Count></Sub><Count>2</Count></Item>").Value("Count"), "7");
  EXPECT_EQ(Reader("<Tag>a<Tag>b</Tag>c</Tag>").Value("Tag"), "a<Tag>b");
  // Only the element's own end tag ends it, also when another is next.
  EXPECT_EQ(Reader("<Tag>a</Tab>b</Tag>").Value("Tag"), "a</Tab>b");
  EXPECT_EQ(Reader("<Tag>a</Tagx>b</Tag>").Value("Tag"), "a</Tagx>b");
}

// What a reader learnt of one text (where each search ended, which tag was
// missed) never carries over to the next text it is given.
TEST(XmlReaderTest, ANewTextStartsEverySearchAfresh) {
  const std::string first = "<W>padding, padding</W><V>1</V><V>2</V><E a='1' b='2'/>";
  const std::string second = "<V>x</V><V>y</V><V>z</V><E a='3' b='4'/><Q>q</Q><P></P>";
  ASSERT_EQ(first.size(), second.size());  // so that a miss of the first could pass for the second
  for (const auto load : {&XmlReader::SetXML, &XmlReader::ReadInPlace}) {
    XmlReader reader, fresh;
    (reader.*load)(first);
    (fresh.*load)(second);
    EXPECT_EQ(reader.Value("V", 1) + reader.Block("V", 1) + reader.Attrib("E", "a") +
                  reader.Value("Q", 1) + reader.Block("Q", 1),
              "1<V>1</V>1");
    (reader.*load)(second);
    EXPECT_EQ(reader.Value("V", 2), fresh.Value("V", 2));
    EXPECT_EQ(reader.Block("V", 2), fresh.Block("V", 2));
    EXPECT_EQ(reader.Attrib("E", "b"), fresh.Attrib("E", "b"));
    EXPECT_EQ(reader.Value("Q", 1) + reader.Block("Q", 1), "q<Q>q</Q>");
  }
}

// Reads made one after another on one reader: Block ('B') or Value ('V') of
// a tag's occurrence. Consecutive members are cut whole with their nested
// elements; a missed occurrence answers for later ones without hiding an
// earlier one or other tags; out of sequence the search starts over, skipping
// end tags, and a search continuing from the previous find still looks.
TEST(XmlReaderTest, BlocksAndValuesOfOccurrencesReadInAnyOrder) {
  struct Read {
    char what;
    const char* tag;
    std::int16_t occurrence;
    std::string expected;
  };
  const std::string first = "<ICatPreset><Name>a</Name><Vehicle><Year>1</Year></Vehicle></ICatPreset>";
  const std::string second = "<ICatPreset><Vehicle><Make>b</Make></Vehicle></ICatPreset>";
  const std::string third = "<ICatPreset><Name>c</Name></ICatPreset>";
  const std::pair<std::string, std::vector<Read>> scripts[] = {
      {"<ICatPresetCol><Count>3</Count><Collection>" + first + second + third + "</Collection></ICatPresetCol>",
       {{'V', "Count", 1, "3"}, {'B', "ICatPreset", 1, first}, {'B', "ICatPreset", 2, second},
        {'B', "ICatPreset", 3, third}, {'B', "ICatPreset", 4, ""}, {'B', "ICatPreset", 2, second},
        {'B', "Vehicle", 1, "<Vehicle><Year>1</Year></Vehicle>"}}},
      {"<V>1</V><M a='1'/><V>2</V>",
       {{'B', "V", 3, ""}, {'B', "V", 7, ""}, {'B', "V", 2, "<V>2</V>"}, {'B', "M", 1, "<M a='1'/>"},
        {'V', "V", 3, ""}, {'V', "V", 1, "1"}}},
      // A fresh search for the second "E" has no "</E>" to skip, a continued one finds it.
      {"<E a='1'/><E b='2'/>", {{'B', "E", 2, ""}, {'B', "E", 1, "<E a='1'/>"}, {'B', "E", 2, "<E b='2'/>"}}},
      {"<Col><Info Type=\"A\"/><Info Type=\"B\"/></Col>",
       {{'B', "Info", 1, "<Info Type=\"A\"/>"}, {'B', "Info", 2, "<Info Type=\"B\"/>"}, {'B', "Info", 3, ""}}},
      {"<Name id=\"1\">x</Name>", {{'B', "Name", 1, "<Name id=\"1\">x</Name>"}}},
      {"  <Name>x</Name>  ", {{'B', "Name", 1, "<Name>x</Name>"}}},
      {"<Name>x", {{'B', "Name", 1, ""}}},
  };
  for (const auto& [text, reads] : scripts) {
    XmlReader reader = Reader(text);
    for (const Read& read : reads) {
      EXPECT_EQ(read.what == 'B' ? reader.Block(read.tag, read.occurrence)
                                 : reader.Value(read.tag, read.occurrence),
                read.expected)
          << text << ": " << read.what << " " << read.tag << " " << read.occurrence;
    }
  }
}

TEST(XmlReaderTest, AttributesReadInWrittenOrder) {
  XmlReader reader = Reader("<Info Type=\"P\" Line=\"3\"/>");
  EXPECT_EQ(reader.Attrib("Info", "Type"), "P");
  EXPECT_EQ(reader.Attrib("Info", "Line"), "3");

  XmlReader backwards = Reader("<Info Type=\"P\" Line=\"3\"/>");
  EXPECT_EQ(backwards.Attrib("Info", "Line"), "3");
  EXPECT_EQ(backwards.Attrib("Info", "Type"), "");

  XmlReader quoting = Reader("<E a='x &amp; y' b=z c=\"\"/><F d=\"9\"/>");
  EXPECT_EQ(quoting.Attrib("E", "a"), "x & y");
  EXPECT_EQ(quoting.Attrib("E", "b"), "");
  EXPECT_EQ(quoting.Attrib("E", "c"), "");
  EXPECT_EQ(quoting.Attrib("E", "d"), "");  // only in a later element
  EXPECT_EQ(quoting.Attrib("F", "d"), "9");
  EXPECT_EQ(quoting.Attrib("G", "d"), "");
  EXPECT_EQ(quoting.Attrib("E", "a"), "x & y");  // another element resets the range
  EXPECT_EQ(Reader("<Info Type=\"P").Attrib("Info", "Type"), "");
}

TEST(XmlReaderTest, OverflowingOccurrenceIsLoggedWithTheReaderPrefix) {
  LogFolderScope folder;
  InFreshThread([] {
    XmlReader reader(LoggedXmlFailures());
    reader.SetXML("<V>1</V>");
    const auto [number, description] = ErrorOf([&] { reader.Value("V", -32768); });
    EXPECT_EQ(number, kOverflow);
    EXPECT_EQ(description, "clsXML | Get Value, Error # 6 at line: 0\r\nOverflow");
    EXPECT_EQ(ErrorOf([&] { reader.Block("V", -32768); }).first, kOverflow);
  });
  EXPECT_EQ(folder.ErrorLines(),
            (std::vector<std::string>{"clsXML | Get Value, Error # 6 at line: 0][Overflow",
                                      "clsXML | Get Block, Error # 6 at line: 0][Overflow"}));
}

// Reading a text in place answers every search exactly as reading a copy of
// it does, also for the blocks a reader in place hands to a nested reader.
TEST(XmlReaderTest, ReadingInPlaceAnswersAsReadingACopy) {
  const std::vector<std::string> texts = {
      "<Item><Sub><Count>7</Count></Sub><Count>2</Count></Item>",
      "<Tag>a<Tag>b</Tag>c</Tag><Tag>d</Tag>",
      "<V>1</V><V>2</V><V>3</V></V><V>",
      "<L><P a=\"1\"><V>x</V></P><P/><P><V>y</V></P></L>",
      "<L><P><V>1</V></P><P><V>2</V></P></L><P><V>3</V>",
      "<V >no</V><V/><V>yes</V><//V></V>",
      "<A><B>1</B><C>2<D>3</D></C></A><B>4</B><A><B>5</B></A>",
      "<Name>caf\xC3\xA9</Name><Name>2</Name>",  // not ASCII: read as a copy
      "<V>1</V",
      // an end tag of another name inside a value; an entity; blanks to trim
      "<C>1</D>2</C><B> x &amp; y </B><D>3</Dx></D>",
      // an ampersand where the value's end tag would start but for it
      "<B>x&/B>y</B><C>&/C></C>",
      "",
  };
  const std::vector<std::string> tags = {"V", "P", "B", "A", "Tag", "Count", "Name", "L", "C", "D"};
  const TagNames names(std::vector<TagName>(tags.begin(), tags.end()));
  // Reads `text` with `load` (a copy, or in place), and each block it finds
  // with a nested reader loaded the same way from the part it hands over.
  using Load = void (*)(XmlReader&, XmlPart);
  const Load copied = [](XmlReader& reader, XmlPart part) { reader.SetXML(part.Text()); };
  const Load in_place = [](XmlReader& reader, XmlPart part) { reader.ReadPart(std::move(part)); };
  const auto script = [&](XmlPart text, Load load) {
    std::vector<std::string> results;
    XmlReader reader;
    load(reader, std::move(text));
    for (const std::string& tag : tags) {
      for (std::int16_t occurrence : {1, 2, 3, 2, 5, 1}) {
        results.push_back(reader.Value(tag, occurrence));
        XmlPart block = reader.BlockPart(tag, occurrence);
        results.push_back(std::string(block.Text()));
        XmlReader inner;
        load(inner, std::move(block));
        for (const std::string& inner_tag : tags)
          results.push_back(inner.Value(inner_tag, 1) + "|" + inner.Block(inner_tag, 2));
      }
      results.push_back(reader.Attrib(tag, "a"));
    }
    return results;
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    const std::vector<std::string> read_copied = script(XmlPart(text), copied);
    // Its parts below are handed over with its index.
    XmlReader place_reader;
    place_reader.ReadInPlace(text);
    EXPECT_EQ(script(place_reader.PartOf(text), in_place), read_copied);
    // The first values of a record, as a record's reader asks for them.
    const auto expect_first_values = [&](std::string_view part) {
      for (std::size_t i = 0; i < tags.size(); ++i) {
        XmlReader record_reader, fresh_copy;
        record_reader.ReadPart(place_reader.PartOf(part));
        fresh_copy.SetXML(part);
        std::string unescaped;
        EXPECT_EQ(record_reader.FirstValue(names, i, unescaped), fresh_copy.Value(tags[i], 1))
            << part;
        // It leaves the place to go on from as the first Value does.
        EXPECT_EQ(record_reader.Value(tags[i], 2), fresh_copy.Value(tags[i], 2)) << part;
        // After occurrence 0, the first value goes on from where that ended.
        EXPECT_EQ(record_reader.Value(tags[i], 0), fresh_copy.Value(tags[i], 0)) << part;
        EXPECT_EQ(record_reader.FirstValue(names, i, unescaped), fresh_copy.Value(tags[i], 1))
            << part;
      }
    };
    expect_first_values(text);
    // Any part of a text read in place, even one that cuts a tag in two, is
    // searched only within itself, also for the first values of a record.
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
      const std::string_view part = std::string_view(text).substr(cut / 2, cut - cut / 2);
      XmlReader part_copy, part_in_place;
      part_copy.SetXML(part);
      part_in_place.ReadPart(place_reader.PartOf(part));
      expect_first_values(part);
      for (const std::string& tag : tags) {
        EXPECT_EQ(part_in_place.Value(tag, 2), part_copy.Value(tag, 2)) << part;
        EXPECT_EQ(part_in_place.Block(tag, 1), part_copy.Block(tag, 1)) << part;
      }
    }
  }
}

}  // namespace
}  // namespace lombar
