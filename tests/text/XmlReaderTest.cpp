#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
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
  EXPECT_EQ(XmlReader().GetFieldValue("&amp;lt;"), "&lt;");  // unescaped once
  for (const auto& row : ReadCases("text/ReaderValue.cases", 3))
    EXPECT_EQ(Reader(row[0]).Value(row[1]), row[2]) << row.where;
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
  std::optional<XmlReader> reader;
  for (const auto& read : ReadCases("text/ReaderScripts.cases", 5)) {
    if (!read[0].empty()) reader.emplace().SetXML(read[0]);
    const auto occurrence = static_cast<std::int16_t>(std::stoi(read[3]));
    EXPECT_EQ(read[1] == "B" ? reader->Block(read[2], occurrence) : reader->Value(read[2], occurrence), read[4])
        << read.where;
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

// One element's attributes read in one walk come back as reading them one
// after another gives them, from where the last attribute read left off,
// also when the element is looked for only after what the reader found
// before (a value, another element's attribute).
TEST(XmlReaderTest, AttributesReadTogetherAreReadAsOneByOne) {
  const AttributeNames names("E", {"a", "b", "c"});
  const TagNames found_before({TagName("L")});
  const std::string_view texts[] = {
      "<E a=\"1\" b=\"2\" c=\"3\"/>", "<E c=\"3\" a=\"1\"/>", "<E a=\"b=x\" b='2' c=3/>",
      "<Ex a=\"1\"/><E b=\"2\"/>", "<F/><E a=\"x &amp; y\" c=\"&lt;\"/>", "<E a=\"1\"/><F b=\"2\"/>",
      "<D/>", "<E a=\"1", "<L>1</L><G d=\"4\"/><E a=\"1\" b=\"2\"/>",
      "<L>1</L><G d=\"<E a='9'/>\"/><E a=\"1\"/>", "<E a=\"0\"/><L>1</L><E a=\"1\"/>",
      "<L><E a=\"9\"/></L><E a=\"1\"/>"};
  for (const auto load : {&XmlReader::SetXML, &XmlReader::ReadInPlace}) {
    for (const std::string_view text : texts) {
      for (const bool one_read_before : {false, true}) {
        XmlReader together, one_by_one;
        std::vector<std::string> read_together, read_one_by_one;
        std::string unescaped;
        for (auto [reader, read] : {std::pair(&together, &read_together),
                                    std::pair(&one_by_one, &read_one_by_one)}) {
          (reader->*load)(text);
          read->emplace_back(reader->FirstValue(found_before, 0, unescaped));
          read->push_back(reader->Attrib("G", "d"));
          if (one_read_before) read->push_back(reader->Attrib("E", "a"));
        }
        together.AttribViews(
            names, unescaped,
            [&](std::size_t, std::string_view value) { read_together.emplace_back(value); },
            !one_read_before);  // E itself was found before
        for (std::size_t i = 0; i < names.size(); ++i)
          read_one_by_one.push_back(one_by_one.Attrib("E", names[i]));
        read_together.push_back(together.Attrib("E", "c"));  // where the walk left off
        read_one_by_one.push_back(one_by_one.Attrib("E", "c"));
        EXPECT_EQ(read_together, read_one_by_one) << text << ", " << one_read_before;
      }
    }
  }
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
  std::vector<std::string> texts = {""};
  for (const auto& row : ReadCases("text/ReaderInPlace.cases", 1)) texts.push_back(row[0]);
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
