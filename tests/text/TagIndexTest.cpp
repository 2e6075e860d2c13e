#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "text/TagIndex.h"

namespace lombar {
namespace {

// Every "<...>" of the text, and the same names closed the other way, as needles.
std::set<std::string> NeedlesOf(std::string_view text) {
  std::set<std::string> needles = {"<absent>", "</absent>", "<>", "</>", "<a b>", "<absent ", "< "};
  for (std::size_t lt = text.find('<'); lt != std::string_view::npos; lt = text.find('<', lt + 1)) {
    const std::size_t gt = text.find('>', lt);
    if (gt == std::string_view::npos) break;
    std::string name(text.substr(lt + 1, gt - lt - 1));
    if (!name.empty() && name.front() == '/') name.erase(0, 1);
    needles.insert("<" + name + ">");
    needles.insert("</" + name + ">");
    needles.insert("<" + name.substr(0, name.find(' ')) + " ");
  }
  return needles;
}

// The index must answer exactly what a plain search of the text between
// `from` and `end` finds, for every needle it answers for, from every
// position, asked in any order (its cursors must not remember a wrong place),
// by the needle or, for a start tag, by its number in a set of names.
const std::vector<std::string>& Texts() {
  static const std::vector<std::string> texts = [] {
    std::vector<std::string> read;
    for (const auto& row : ReadCases("text/TagIndex.cases", 1)) read.push_back(row[0]);
    return read;
  }();
  return texts;
}

// The names of the start tags among the text's needles.
std::vector<std::string> StartNames(const std::set<std::string>& needles) {
  std::vector<std::string> start_names;
  for (const std::string& needle : needles) {
    if (needle[1] != '/' && needle.back() == '>')
      start_names.push_back(needle.substr(1, needle.size() - 2));
  }
  return start_names;
}

// Each start tag's name of the text, then each again: a set whose names repeat.
std::vector<std::string> StartNamesTwice(std::string_view text) {
  const std::vector<std::string> once = StartNames(NeedlesOf(text));
  std::vector<std::string> names = once;
  names.insert(names.end(), once.begin(), once.end());
  return names;
}

TEST(TagIndexTest, AnswersWhatAPlainSearchFinds) {
  for (const std::string& text : Texts()) {
    const TagIndex index(text);
    const std::set<std::string> needles = NeedlesOf(text);
    const std::vector<std::string> start_names = StartNames(needles);
    const TagNames names(std::vector<TagName>(start_names.begin(), start_names.end()));
    for (const std::string& needle : needles) {
      const auto number = std::find(start_names.begin(), start_names.end(),
                                    needle.substr(1, needle.size() - 2));
      for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t step = 0; step <= text.size(); ++step) {
          // Forward on the first pass, backward on the second.
          const std::size_t from = pass == 0 ? step : text.size() - step;
          for (std::size_t end = from; end <= text.size(); ++end) {
            const std::size_t answer = index.Find(needle, from, end);
            if (answer == TagIndex::kCannotAnswer) continue;
            std::size_t expected = text.find(needle, from);
            if (expected != std::string::npos && expected + needle.size() > end)
              expected = std::string::npos;
            ASSERT_EQ(answer, expected)
                << "text " << text << ", needle " << needle << ", from " << from << ", end " << end;
            if (needle[1] == '/' || needle.back() != '>') continue;
            const auto i = static_cast<std::size_t>(number - start_names.begin());
            ASSERT_EQ(index.FindTag(names, i, from, end), expected)
                << "text " << text << ", name number " << i << ", from " << from << ", end " << end;
          }
        }
      }
    }
  }
}

// The search from a remembered place finds what a search of the whole list
// finds, from every place, forward or back, near or far.
TEST(TagIndexTest, ASearchFromAnyPlaceFindsTheFirstAtOrAfter) {
  for (std::size_t count = 0; count <= 40; ++count) {
    std::vector<std::uint32_t> positions;
    for (std::uint32_t k = 0; k < count; ++k)
      positions.push_back(3 * k + k % 2);  // ascending, with gaps of 2 and 4
    const auto position_at = [&](std::size_t k) { return positions[k]; };
    for (std::size_t at = 0; at <= count + 1; ++at) {
      for (std::size_t from = 0; from <= 3 * count + 2; ++from) {
        const auto expected =
            std::lower_bound(positions.begin(), positions.end(), from) - positions.begin();
        ASSERT_EQ(FirstAtOrAfter(count, at, from, position_at), static_cast<std::size_t>(expected))
            << "count " << count << ", at " << at << ", from " << from;
      }
    }
  }
}

// The start tags of a set's names (each named twice) walked from
// `from` to `end`: for each, the first a plain search finds starting there,
// unless more than `limit` '<' lie there and the walk gave up.
TEST(TagIndexTest, AWalkFindsEachNamesFirstStartTag) {
  for (const std::string& text : Texts()) {
    const TagIndex index(text);
    const std::vector<std::string> start_names = StartNamesTwice(text);
    const TagNames names(std::vector<TagName>(start_names.begin(), start_names.end()));
    std::vector<std::uint32_t> first(names.size());
    for (const std::size_t limit : {1, 3, 1000}) {
      for (std::size_t from = 0; from <= text.size(); ++from) {
        for (std::size_t end = from; end <= text.size(); ++end) {
          const bool walked = index.FirstStarts(names, from, end, limit, first.data());
          const auto brackets = std::count(text.begin() + from, text.begin() + end, '<');
          if (!walked) {
            ASSERT_GT(brackets, limit) << "text " << text << ", from " << from << ", end " << end;
            continue;
          }
          for (std::size_t i = 0; i < names.size(); ++i) {
            if (!names[i].Indexable()) continue;
            const std::size_t found = text.find("<" + start_names[i] + ">", from);
            const std::uint32_t expected =
                found < end ? static_cast<std::uint32_t>(found) : TagIndex::kNotThere;
            ASSERT_EQ(first[names.Canonical(i)], expected)
                << "text " << text << ", name " << start_names[i] << ", from " << from << ", end "
                << end;
          }
        }
      }
    }
  }
}

// Past 65,536 lists (names) a document's start tags keep their lists in
// 32 bits: walks and searches on either side of the change still answer
// what a plain search finds.
TEST(TagIndexTest, ADocumentWithMoreNamesThanSixteenBitsNumberStillWalks) {
  std::string text = "<a><b>";
  for (int i = 0; i < 70'000; ++i)
    text += "<t" + std::to_string(i) + ">";
  const std::size_t tail = text.size();
  text += "<b><t69999><c><a>";
  const TagIndex index(text);
  const std::vector<std::string> start_names = {"a", "b", "c", "t5", "t69999", "absent"};
  const TagNames names(std::vector<TagName>(start_names.begin(), start_names.end()));
  std::vector<std::uint32_t> first(names.size());
  for (const std::size_t from : {std::size_t{0}, std::size_t{1}, tail - 8, tail, tail + 1}) {
    ASSERT_TRUE(index.FirstStarts(names, from, text.size(), text.size(), first.data()));
    for (std::size_t i = 0; i < names.size(); ++i) {
      const std::size_t found = text.find("<" + start_names[i] + ">", from);
      ASSERT_EQ(index.FindTag(names, i, from, text.size()), found) << start_names[i] << " from " << from;
      ASSERT_EQ(first[i], found == std::string::npos ? TagIndex::kNotThere : found)
          << start_names[i] << " from " << from;
    }
  }
}

// A record's reader reads a part of a document in place and finds each of
// its fields from the part's start; the answers are the part's own, whether
// its start tags were walked or, in a long part, each name searched.
TEST(TagIndexTest, APartReadInPlaceFindsWhatAPlainSearchOfItFinds) {
  std::vector<std::string> texts = Texts();
  std::string long_text;
  for (int i = 0; i < 40; ++i)
    long_text += "<R><A>" + std::to_string(i) + "</A><B>x</B></R>";
  texts.push_back(long_text + "<C>1</C>");
  for (const std::string& text : texts) {
    IndexedText whole;
    ASSERT_TRUE(whole.Borrow(XmlPart(text)));
    const std::vector<std::string> start_names = StartNamesTwice(text);
    const TagNames names(std::vector<TagName>(start_names.begin(), start_names.end()));
    const std::size_t stride = text.size() > 100 ? 7 : 1;
    for (std::size_t from = 0; from <= text.size(); from += stride) {
      for (std::size_t end = from; end <= text.size(); end += stride) {
        const std::string_view part = std::string_view(text).substr(from, end - from);
        IndexedText reader;
        ASSERT_TRUE(reader.Borrow(whole.Part(part)));
        for (std::size_t i = 0; i < names.size(); ++i) {
          const std::string needle = "<" + start_names[i] + ">";
          std::size_t expected = part.find(needle);
          if (expected != std::string_view::npos && expected + needle.size() > part.size())
            expected = TagIndex::npos;
          if (!names[i].Indexable()) expected = TagIndex::kCannotAnswer;
          ASSERT_EQ(reader.FindTag(names, i, 0), expected)
              << "part " << part << ", name " << start_names[i];
        }
      }
    }
  }
}

}  // namespace
}  // namespace lombar
