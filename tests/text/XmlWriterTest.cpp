#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "TestSupport.h"
#include "text/XmlReader.h"
#include "text/XmlWriter.h"

namespace lombar {
namespace {

std::string Leaf(std::string_view value, bool compress, bool zero_suppress) {
  XmlWriter writer;
  writer.SetSnippet(true);
  writer.SetCompress(compress);
  writer.SetZeroSuppress(zero_suppress);
  writer.Add("Count", value);
  return writer.XML();
}

TEST(XmlWriterTest, CompressAndZeroSuppressDropEmptyAndZeroLeaves) {
  EXPECT_EQ(Leaf("0", true, true), "");
  EXPECT_EQ(Leaf("0", true, false), "<Count>0</Count>");
  EXPECT_EQ(Leaf("0", false, false), "<Count>0</Count>");
  for (const auto& row : ReadCases("text/ZeroLeaves.cases", 2))
    EXPECT_EQ(Leaf(row[0], true, true).empty(), row[1] == "dropped") << row.where;
  EXPECT_EQ(Leaf("", true, false), "");
  EXPECT_EQ(Leaf("", false, false), "<Count></Count>");
  // Turning zero suppression on turns compression on; off leaves it.
  XmlWriter writer;
  writer.SetSnippet(true);
  writer.SetZeroSuppress(true);
  writer.SetZeroSuppress(false);
  writer.Add("Empty", "");
  writer.Add("Zero", "0");
  writer.Add("Group", "", true);  // groups are never suppressed
  EXPECT_EQ(writer.XML(), "<Zero>0</Zero><Group></Group>");
}

// Escaped values read back as they were given.
TEST(XmlWriterTest, ValuesAreEscapedUnlessTheyAreMarkup) {
  const std::string value = "A&B <c> d'\" &amp; caf\xC3\xA9";
  XmlWriter writer;
  writer.SetSnippet(true);
  writer.Add("Name", value);
  writer.Add("Raw", "<a>1</a>");
  writer.Add("", "ignored");
  writer.AddAttrVal("E", "a", value);
  EXPECT_EQ(writer.XML(), "<Name>A&amp;B &lt;c&gt; d&apos;&quot; &amp;amp; caf\xC3\xA9</Name>"
                          "<Raw><a>1</a></Raw><E a=\"A&amp;B &lt;c&gt; d&apos;&quot; &amp;amp; caf\xC3\xA9\"/>");
  XmlReader reader;
  reader.SetXML(writer.XML());
  EXPECT_EQ(std::tuple(reader.Value("Name"), reader.Attrib("E", "a")), std::tuple(value, value));
}

// A leaf or group whose tag is known up front is written exactly as Add
// writes it, and so is a plain leaf (a number that is not 0, a flag).
TEST(XmlWriterTest, AKnownLeafOrGroupIsWrittenAsAddWritesIt) {
  const char* const values[] = {"", "0", "0.00", "Main St", "a<b & 'c'", "<p>x & y</p>",
                                "Façade", "1"};
  const char* const plain_values[] = {"7", "-3.1416", "True", "False"};
  for (const char* tag : {"Name", "Straße"}) {
    const TagName known(tag);
    for (const bool switches : {false, true}) {
      XmlWriter by_add, by_leaf;
      for (XmlWriter* writer : {&by_add, &by_leaf}) {
        writer->SetSnippet(true);
        writer->SetCompress(switches);
        writer->SetZeroSuppress(switches);
      }
      // Each leaf follows one that leaves the buffer room for it, as most
      // leaves of a document find it (a text converted takes the room away).
      const auto make_room = [&] {
        for (XmlWriter* writer : {&by_add, &by_leaf})
          writer->Add("Gap", std::string(100, 'x'));
      };
      by_add.Add(tag, "", true);
      by_leaf.OpenGroup(known);
      for (const char* value : values) {
        make_room();
        by_add.Add(tag, value);
        by_leaf.AddLeaf(known, value);
      }
      for (const char* value : plain_values) {
        make_room();
        by_add.Add(tag, value);
        by_leaf.AddPlainLeaf(known, value);
      }
      EXPECT_EQ(by_leaf.XML(), by_add.XML()) << tag << ", switches " << switches;
    }
  }
}

TEST(XmlWriterTest, GroupsCloseOnEndGroupOrWhenTheTextIsFetched) {
  XmlWriter closed;
  closed.SetSnippet(true);
  closed.Add("ICatPresetCol", "", true);
  closed.Add("Count", "2");
  closed.EndGroup();
  closed.EndGroup();  // nothing open: no change
  EXPECT_EQ(closed.XML(), "<ICatPresetCol><Count>2</Count></ICatPresetCol>");

  // Deeper than a writer mostly goes, taken back to a mark and opened again.
  XmlWriter open;
  open.SetSnippet(true);
  open.Add("Outer", "", true);
  const XmlWriter::Mark outer = open.Position();
  for (const char* tag : {"A", "B", "C", "D"})
    open.Add(tag, "", true);
  open.EndGroup();
  open.Retract(outer);
  for (const char* tag : {"Inner", "E", "F"})
    open.Add(tag, "", true);
  open.EndGroup();
  open.EndGroup();
  open.AddXML("<x/>");
  const std::string whole = "<Outer><Inner><E><F></F></E><x/></Inner></Outer>";
  EXPECT_EQ(open.XML(), whole);
  EXPECT_EQ(open.XML(), whole);  // closed once, for good

  XmlWriter document;  // Clear starts afresh: a whole document, switches off, no group open
  document.SetSnippet(true);
  document.SetCompress(true);
  document.Add("Open", "", true);
  document.Clear();
  document.Add("A", "");
  EXPECT_EQ(document.XML(), "<?xml version=\"1.0\" encoding=\"UTF-8\" ?><A></A>");

  XmlWriter accented;  // a group's tag is kept in the buffer's code page, as its text is
  accented.SetSnippet(true);
  accented.Add("Caf\xC3\xA9", "", true);
  accented.Add("Na\xC3\xAFve", "", true);
  accented.EndGroup();
  EXPECT_EQ(accented.XML(), "<Caf\xC3\xA9><Na\xC3\xAFve></Na\xC3\xAFve></Caf\xC3\xA9>");

  XmlWriter closing_leaf;
  closing_leaf.SetSnippet(true);
  closing_leaf.Add("G", "", true);
  closing_leaf.Add("L", "v", false, true);
  closing_leaf.Add("After", "1");
  EXPECT_EQ(closing_leaf.XML(), "<G><L>v</L></G><After>1</After>");
}

TEST(XmlWriterTest, AttributesAreAddedAndReplacedInTheStartTag) {
  XmlWriter writer;
  writer.SetSnippet(true);
  writer.SetZeroSuppress(true);  // attributes are never suppressed
  writer.AddAttrVal("Info", "Type", "P");
  writer.SetAttrib("Info", "Line", "3");
  EXPECT_EQ(writer.XML(), "<Info Type=\"P\" Line=\"3\"/>");
  writer.SetAttrib("Info", "Line", "4");
  writer.SetAttrib("Info", "Code", "");
  writer.SetAttrib("Info", "Text", "a<\"b\">");
  EXPECT_EQ(writer.XML(),
            "<Info Type=\"P\" Line=\"4\" Code=\"\" Text=\"a&lt;&quot;b&quot;&gt;\"/>");
  writer.SetAttrib("Missing", "X", "1");
  EXPECT_EQ(writer.XML(),
            "<Info Type=\"P\" Line=\"4\" Code=\"\" Text=\"a&lt;&quot;b&quot;&gt;\"/>");
  // A value replaced is escaped too; names and values beyond ASCII convert.
  writer.SetAttrib("Info", "Line", "1 & 2");
  writer.AddAttrVal("\xC3\x8Fnfo", "T\xC3\xBDpe", "1");
  writer.SetAttrib("\xC3\x8Fnfo", "T\xC3\xBDpe", "caf\xC3\xA9");
  EXPECT_EQ(writer.XML(),
            "<Info Type=\"P\" Line=\"1 &amp; 2\" Code=\"\" Text=\"a&lt;&quot;b&quot;&gt;\"/>"
            "<\xC3\x8Fnfo T\xC3\xBDpe=\"caf\xC3\xA9\"/>");
  XmlReader reader;
  reader.SetXML(writer.XML());
  EXPECT_EQ(reader.Attrib("\xC3\x8Fnfo", "T\xC3\xBDpe"), "caf\xC3\xA9");

  XmlWriter group;
  group.SetSnippet(true);
  group.Add("Provider", "", true);
  group.SetAttrib("Provider", "Default", "True");
  group.SetAttrib("Provider", "EditDate", "1/2/2026");
  group.Add("Name", "North");
  group.AddAttrVal("G", "k", "v", true);  // a group opened with its attribute
  group.Add("L", "1");
  EXPECT_EQ(group.XML(), "<Provider Default=\"True\" EditDate=\"1/2/2026\"><Name>North</Name>"
                         "<G k=\"v\"><L>1</L></G></Provider>");
  // Once more is written, the tag's end is looked for again: the first "/>"
  // after the element, as it has always been found.
  group.AddAttrVal("H", "k", "w");
  group.SetAttrib("Provider", "FileDate", "");
  EXPECT_EQ(group.XML(), "<Provider Default=\"True\" EditDate=\"1/2/2026\"><Name>North</Name>"
                         "<G k=\"v\"><L>1</L></G></Provider><H k=\"w\" FileDate=\"\"/>");

  XmlWriter later;  // the attribute exists only in a later element: left alone
  later.SetSnippet(true);
  later.AddAttrVal("A", "x", "1");
  later.AddAttrVal("B", "y", "2");
  later.SetAttrib("A", "y", "3");
  EXPECT_EQ(later.XML(), "<A x=\"1\"/><B y=\"2\"/>");
}

// An element's attributes written in one call give the text that adding the
// first and setting each further one gives, whatever the text before them,
// their values and their names; also when the caller knows it wrote no
// element of the name before, the text before being a value.
TEST(XmlWriterTest, AttributesWrittenTogetherAreWrittenAsSetOneByOne) {
  const AttributeNames plain("Shop", {"Price", "Distance", "Min"});
  const AttributeNames ending("Shop", {"MinPrice", "Price", "Distance"});  // "Price" ends "MinPrice"
  const std::vector<std::string_view> values[] = {
      {"True", "", "0"}, {"Min=1", "2", "3"}, {"x", "Min=y", "z"}, {"<p/>", "a\"b", "1"},
      {"caf\xC3\xA9", "1", "2"}, {"1/", "/", "3"}};
  for (const std::string_view before : {"", "<Shopper/>", "<Name>Shop</Name>", "<p><Shop x=\"1\"/></p>"}) {
    for (const bool as_value : {false, true}) {
      for (const AttributeNames* names : {&plain, &ending}) {
        for (const auto& value : values) {
          XmlWriter together, one_by_one, group, opened;
          for (XmlWriter* writer : {&together, &one_by_one, &group, &opened}) {
            writer->SetSnippet(true);
            as_value ? writer->Add("V", before) : writer->AddXML(before);
          }
          together.AddAttributes(*names, value, as_value);
          one_by_one.AddAttrVal("Shop", (*names)[0], value[0]);
          group.OpenGroup(TagName("Shop"), *names, value, as_value);
          opened.OpenGroup(TagName("Shop"));
          for (std::size_t i = 1; i < names->size(); ++i)
            one_by_one.SetAttrib("Shop", (*names)[i], value[i]);
          for (std::size_t i = 0; i < names->size(); ++i)
            opened.SetAttrib("Shop", (*names)[i], value[i]);
          const std::string where =
              std::string(before) + " | " + std::string(value[0]) + " | " + (as_value ? "V" : "");
          EXPECT_EQ(together.XML(), one_by_one.XML()) << where;
          EXPECT_EQ(group.XML(), opened.XML()) << where;
        }
      }
    }
  }
}

// A writer appending to its parent's text keeps its own switches and groups,
// and its attribute edits, compression and retraction reach only what it
// wrote itself, never the parent's elements before it.
TEST(XmlWriterTest, ANestedWriterWritesIntoItsParentAndTouchesOnlyItsOwnText) {
  XmlWriter parent;
  parent.SetSnippet(true);
  parent.Add("List", "", true);
  parent.AddAttrVal("Info", "Type", "P");
  parent.Add("Empty", "");  // switches off: written, and kept by the child's compress
  {
    XmlWriter child;
    child.SetSnippet(true);
    child.SetZeroSuppress(true);
    child.AppendTo(parent);
    child.Add("Count", "0");  // the child's own switches
    child.AddAttrVal("Info", "Type", "Q");
    child.SetAttrib("Info", "Line", "7");   // its own Info, not the parent's
    child.SetAttrib("Info", "Type", "R");
    child.Add("Group", "", true);
    const XmlWriter::Mark mark = child.Position();
    child.Add("Dropped", "x", true);
    child.Add("Inner", "y");
    child.Retract(mark);  // the text and the group opened after the mark
    child.Add("Hollow", "", true);
    child.EndGroup();
    child.XMLcompress();  // "<Hollow></Hollow>" goes, the parent's "<Empty></Empty>" stays
    child.Close();
    EXPECT_EQ(child.XML(), "<Info Type=\"R\" Line=\"7\"/><Group></Group>");
  }
  parent.Add("After", "1");
  EXPECT_EQ(parent.XML(),
            "<List><Info Type=\"P\"/><Empty></Empty>"
            "<Info Type=\"R\" Line=\"7\"/><Group></Group><After>1</After></List>");
}

// SetAttrib goes on from where it found its element only while nothing
// before that changed: a text taken back, compressed or moved to a parent's
// is searched afresh.
TEST(XmlWriterTest, SetAttribSearchesAfreshOnceTheTextBeforeChanged) {
  // The element first found after a long empty one: every change below
  // brings it nearer the start than the length of its own tag.
  const auto started = [](XmlWriter& writer) {
    writer.SetSnippet(true);
    writer.Add("AnEmptyElementWithAVeryLongName", "");
    writer.AddAttrVal("E", "a", "1");
    writer.SetAttrib("E", "b", "2");
  };
  XmlWriter retracted;
  started(retracted);
  retracted.Retract({});
  retracted.AddAttrVal("E", "a", "3");
  retracted.SetAttrib("E", "b", "4");
  EXPECT_EQ(retracted.XML(), "<E a=\"3\" b=\"4\"/>");
  XmlWriter compressed;
  started(compressed);
  compressed.XMLcompress();
  compressed.SetAttrib("E", "c", "3");
  EXPECT_EQ(compressed.XML(), "<E a=\"1\" b=\"2\" c=\"3\"/>");
  XmlWriter parent, moved;
  parent.SetSnippet(true);
  started(moved);
  moved.AppendTo(parent);
  moved.AddAttrVal("E", "a", "6");
  moved.SetAttrib("E", "b", "7");
  moved.Close();
  EXPECT_EQ(parent.XML(), "<E a=\"6\" b=\"7\"/>");
}

// A part written by the writer itself has its own switches while it lasts
// and closes only its own groups; one that fails leaves them unclosed.
TEST(XmlWriterTest, APartHasItsOwnSwitchesAndGroups) {
  XmlWriter writer;
  writer.SetSnippet(true);
  writer.Add("List", "", true);
  {
    XmlWriter::Part part(writer, false, true);
    writer.Add("Count", "0");  // zero suppression of the part
    writer.Add("Group", "", true);
    writer.Add("Kept", "1");
    part.Close();
  }
  try {
    XmlWriter::Part failed(writer, true, false);
    writer.Add("Open", "", true);
    throw Error(kTypeMismatch, "", "");
  } catch (const Error&) {
  }
  writer.Add("Empty", "");  // the writer's own switches again: written
  writer.EndGroup();        // closes List, not the failed part's Open
  EXPECT_EQ(writer.XML(),
            "<List><Group><Kept>1</Kept></Group><Open><Empty></Empty></List>");
}

TEST(XmlWriterTest, CompressCutsEmptyElementsUntilNoneIsLeft) {
  XmlWriter writer;
  for (const auto& row : ReadCases("text/Compress.cases", 2))
    EXPECT_EQ(writer.XMLcompress(row[0]), row[1]) << row.where;

  // Without an argument the writer's own text is compressed and kept.
  writer.SetSnippet(true);
  writer.Add("Vehicle", "", true);
  writer.Add("Specs", "", true);
  writer.EndGroup();
  writer.Add("Year", "2001");
  writer.EndGroup();
  EXPECT_EQ(writer.XMLcompress(), "<Vehicle><Year>2001</Year></Vehicle>");
  EXPECT_EQ(writer.XML(), "<Vehicle><Year>2001</Year></Vehicle>");
}

TEST(XmlWriterTest, CompressStaysLinearOverManyEmptyElements) {
  // Many cuts after a long untouched stretch: each cut resumes at its join.
  std::string text = "<r><big>" + std::string(200'000, 'x') + "</big>";
  for (int i = 0; i < 20'000; ++i)
    text += "<e" + std::to_string(i % 7) + "></e" + std::to_string(i % 7) + ">";
  text += "</r>";
  XmlWriter writer;
  EXPECT_EQ(writer.XMLcompress(text), "<r><big>" + std::string(200'000, 'x') + "</big></r>");
}

}  // namespace
}  // namespace lombar
