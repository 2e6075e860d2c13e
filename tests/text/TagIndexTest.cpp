#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

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
TEST(TagIndexTest, AnswersWhatAPlainSearchFinds) {
  const std::vector<std::string> texts = {
      "<X>1</X><X>2</X>",
      "<X>1</X><X>2</Xa></X><Xa>3</Xa></X>",  // an end tag that only starts like the open one
      "<a><a>1</a></a><a>2</a>",          // nested elements of one name
      "<P><X>1</X ><X>2</X></P><X/>",     // a space before '>' and a self-closing tag
      "<X a=\"1\">v</X><X>w</X><<X>>",    // attributes, stray brackets
      "<X<<X><X<</X><<<X>",                // brackets where a name should end
      "<X>1</X><Y>2</Y><X>3</X><Y>4</Y>", // the end tag follows its start tag each time
      "</X><X></X",                       // an end first, a tag cut off
      // attributes: a name's start inside a value, two spaces, an end tag, a cut
      "<P a=\"<Q \">x</P><Q b>y</Q><Q  c/><QQ d></Q e><P f",
      // what follows a tag changes: a longer name, an attribute, another name
      "<A></A><B>x</B><A></A><BB>y</BB><A></A><B c>z</B><A></A><C>w</C><A></A><B>v</B>",
      // ... or a name of the same length that differs only at its end or start
      "<A></A><NumberOfB>1</NumberOfB><A></A><NumberOfC>2</NumberOfC></NumberOfB>",
      "<A></A><BNumberOf>1</BNumberOf><A></A><CNumberOf>2</CNumberOf></BNumberOf>",
  };
  for (const std::string& text : texts) {
    const TagIndex index(text);
    const std::set<std::string> needles = NeedlesOf(text);
    std::vector<std::string> start_names;
    for (const std::string& needle : needles) {
      if (needle[1] != '/' && needle.back() == '>')
        start_names.push_back(needle.substr(1, needle.size() - 2));
    }
    std::vector<TagName> tags(start_names.begin(), start_names.end());
    const TagNames names(tags);
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

}  // namespace
}  // namespace lombar
