#include "text/TextBuffer.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "TestSupport.h"
#include "model/support/TextFailures.h"

namespace lombar {
namespace {

TEST(TextBufferTest, CapacityGrowsToExactlyTheNeededLength) {
  TextBuffer buffer;
  EXPECT_EQ(buffer.Length(), 0);
  EXPECT_EQ(buffer.Value(), "");
  EXPECT_EQ(buffer.Capacity(), 2048);

  buffer.Append(std::string(2048, 'x'));
  EXPECT_EQ(buffer.Capacity(), 2048);
  buffer.Append("y");
  EXPECT_EQ(buffer.Capacity(), 2049);
  EXPECT_EQ(buffer.Length(), 2049);

  TextBuffer small;
  small.SetValue(std::string(3000, 'z'));
  EXPECT_EQ(small.Capacity(), 3000);
  small.SetValue("short");
  EXPECT_EQ(small.Capacity(), 3000);  // never shrinks on its own
  EXPECT_EQ(small.Value(), "short");

  // Nor when elements written in place took it there and the text is cut.
  const std::vector<std::function<void(TextBuffer&)>> cuts = {
      [](TextBuffer& b) { b.ReplaceBytes(10, 2000, "y"); },
      [](TextBuffer& b) { b.ReplaceBytes(10, 2000, b.Bytes().substr(0, 1)); },
      [](TextBuffer& b) { b.ReplaceAscii(0, std::string::npos, {"y"}); },
      [](TextBuffer& b) { b.TakeValue(); },
      [](TextBuffer& b) { b.SetValue("y"); },
  };
  for (std::size_t i = 0; i < cuts.size(); ++i) {
    TextBuffer written;
    written.AppendElement("Tag", std::string(2989, 'x'));  // 3,000 bytes
    cuts[i](written);
    EXPECT_EQ(written.Capacity(), 3000) << "cut " << i;
  }
}

// A writer expecting more grows the storage ahead, without touching the
// capacity callers see; estimates that creep up one byte at a time must not
// move the bytes each time (that would make writing quadratic).
TEST(TextBufferTest, ExpectedGrowthMovesTheBytesRarely) {
  TextBuffer buffer;
  buffer.Append(std::string(50'000, 'x'));
  buffer.ReserveFor(100'000);
  const char* storage = buffer.Bytes().data();
  buffer.Append(std::string(100'000, 'x'));
  EXPECT_EQ(buffer.Bytes().data(), storage);
  EXPECT_EQ(buffer.Capacity(), 150'000);

  int moves = 0;
  for (int appended = 0; appended < 100'000; ++appended) {
    buffer.Append("y");
    buffer.ReserveFor(static_cast<std::size_t>(appended));
    if (buffer.Bytes().data() != storage) ++moves;
    storage = buffer.Bytes().data();
  }
  EXPECT_LE(moves, 4);
  EXPECT_EQ(buffer.Length(), 250'000);
}

TEST(TextBufferTest, LeftRightAndMidCutAsTheirCountsSay) {
  const TextBuffer six("abcdef");
  const std::pair<TextBuffer, const char*> cuts[] = {
      {six.Left(10), "abcdef"}, {six.Left(2), "ab"},     {six.Right(0), ""},
      {six.Right(3), "def"},    {six.Mid(3), "cdef"},    {six.Mid(3, 10), "cdef"},
      {six.Mid(3, 2), "cd"},    {six.Mid(7, 2), ""},     {six.Mid(6), "f"}};
  for (const auto& [cut, expected] : cuts)
    EXPECT_EQ(cut.Value(), expected);
}

// `action` raising the buffer's errors as the library reports them.
template <class Action>
auto AsLibrary(Action action) {
  return [action] {
    try {
      action();
    } catch (const TextError& error) {
      throw LibraryError(error);
    }
  };
}

TEST(TextBufferTest, BadLengthsAndPositionsRaiseTheirErrors) {
  const TextBuffer text("abcdef");
  const auto invalid_length = std::make_pair(5, std::string("Invalid length"));
  const auto invalid_start = std::make_pair(5, std::string("Invalid starting position"));
  EXPECT_EQ(ErrorOf(AsLibrary([&] { text.Left(-1); })), invalid_length);
  EXPECT_EQ(ErrorOf(AsLibrary([&] { text.Right(-1); })), invalid_length);
  EXPECT_EQ(ErrorOf(AsLibrary([&] { text.Mid(2, -1); })), invalid_length);
  EXPECT_EQ(ErrorOf(AsLibrary([&] { text.Mid(-1); })), invalid_start);
  EXPECT_EQ(ErrorOf(AsLibrary([&] { text.Mid(0); })).first, kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf(AsLibrary([&] { text.Instr("a", 0); })).first, kSubscriptOutOfRange);
  EXPECT_EQ(RaisedBy(AsLibrary([&] { text.Left(-1); }))->Source(), "CString");
}

TEST(TextBufferTest, InstrFindsExactMatchesFromTheStart) {
  const TextBuffer text("abcdcd");
  const std::tuple<const char*, int, int> finds[] = {
      {"cd", 1, 3}, {"cd", 4, 5}, {"cd", 6, 0}, {"dd", 1, 0}, {"", 1, 0}, {"CD", 1, 0},
      {"abcdcdx", 1, 0}};
  for (const auto& [sought, start, found] : finds)
    EXPECT_EQ(text.Instr(sought, start), found) << sought << " from " << start;
  EXPECT_EQ(text.Instr(TextBuffer("dc"), 1), 4);
}

TEST(TextBufferTest, CodePageCharactersSurviveOneByteEachAndOthersBecomeQuestionMarks) {
  const std::string held = "caf\xC3\xA9 \xC3\xBF\xC2\xA0\xE2\x82\xAC";  // "café ÿ", a no-break space, €
  TextBuffer buffer(held);
  EXPECT_EQ(buffer.Length(), 8);
  EXPECT_EQ(buffer.Value(), held);
  EXPECT_EQ(buffer.Instr("\xC3\xA9", 1), 4);
  EXPECT_EQ(buffer.Instr("\xE2\x82\xAC", 1), 8);

  TextBuffer other("\xC2\x80 5 \xF0\x9F\x98\x80");  // a C1 control, an emoji
  EXPECT_EQ(other.Value(), "? 5 ?");
  TextBuffer broken(std::string("a\xFF\xC3", 3));  // bytes that are no UTF-8
  EXPECT_EQ(broken.Value(), "a??");
}

// Pieces of every length up to past the short-copy sizes land whole and in
// order, the capacity callers observe is the length reached, and a buffer
// takes itself whole.
TEST(TextBufferTest, PiecesOfEveryLengthAppendWhole) {
  const std::string source = "abcdefghijklmnopqrstuvwxyz0123456789";
  TextBuffer buffer;
  std::string expected;
  for (std::size_t n = 0; n <= source.size(); ++n) {
    const std::string_view piece = std::string_view(source).substr(0, n);
    buffer.AppendAscii({"<", piece});
    buffer.AppendElement(piece, piece.substr(n / 2));
    expected += "<" + std::string(piece);
    expected += "<" + std::string(piece) + ">" + std::string(piece.substr(n / 2)) + "</" +
                std::string(piece) + ">";
  }
  EXPECT_EQ(buffer.Bytes(), expected);
  EXPECT_EQ(buffer.Capacity(), static_cast<std::int32_t>(expected.size()));
  buffer.Append(buffer).Append(TextBuffer("d")).Append("");  // chained, and itself
  EXPECT_EQ(buffer.Bytes(), expected + expected + "d");
}

// Elements written in place leave room sized after the held bytes; no other
// operation sees that room: appending, replacing, cutting, taking the value
// and shrinking the buffer each see only what was written.
TEST(TextBufferTest, RoomAfterElementsWrittenInPlaceIsNeverSeen) {
  TextBuffer buffer;
  buffer.AppendElement("A", "1");
  buffer.Append("+");
  EXPECT_EQ(buffer.Bytes(), "<A>1</A>+");
  buffer.AppendEndTag("B");
  buffer.ReplaceBytes(0, 3, "<C>");
  EXPECT_EQ(std::tuple(buffer.Value(), buffer.Right(4).Value(), buffer.Length()),
            std::tuple("<C>1</A>+</B>", "</B>", 13));
  buffer.AppendElement("D", "");
  EXPECT_EQ(buffer.TakeValue(), "<C>1</A>+</B><D></D>");
  EXPECT_EQ(buffer.Bytes(), "");

  buffer.AppendElement("E", "2");
  buffer.SetBufferSize(3, false);
  EXPECT_EQ(buffer.Bytes(), "<E>");
  buffer.AppendEndTag("E");
  EXPECT_EQ(buffer.Bytes(), "<E></E>");
}

// The value is handed over as it lies only when every byte is ASCII: a
// character beyond, however it came in, is converted back to UTF-8, and a
// buffer emptied by taking its value starts clean.
TEST(TextBufferTest, TakenValueConvertsACharacterBeyondAsciiWhereverItCameIn) {
  const std::string latin_one_e = "\xE9";  // "é" in the buffer's code page
  const std::vector<std::function<void(TextBuffer&)>> ways_in = {
      [](TextBuffer& buffer) { buffer.Append("caf\xC3\xA9"); },
      [](TextBuffer& buffer) { buffer.Append(TextBuffer("caf\xC3\xA9")); },
      [&](TextBuffer& buffer) { buffer.AppendEndTag("caf" + latin_one_e); },
      [&](TextBuffer& buffer) { buffer.ReplaceBytes(0, 0, "caf" + latin_one_e); },
      [](TextBuffer& buffer) { buffer.SetValue("caf\xC3\xA9"); },
      [&](TextBuffer& buffer) { buffer = TextBuffer::FromBytes("caf" + latin_one_e); },
  };
  for (std::size_t way = 0; way < ways_in.size(); ++way) {
    TextBuffer buffer;
    buffer.AppendElement("A", "1");
    ways_in[way](buffer);
    buffer.AppendAscii({"<B>", "2"});
    const std::string taken = buffer.TakeValue();
    EXPECT_NE(taken.find("caf\xC3\xA9"), std::string::npos) << "way " << way << ": " << taken;
    EXPECT_EQ(taken.find(latin_one_e + "<"), std::string::npos) << "way " << way;
    buffer.AppendElement("C", "3");
    EXPECT_EQ(buffer.TakeValue(), "<C>3</C>") << "way " << way;
  }
}

}  // namespace
}  // namespace lombar
