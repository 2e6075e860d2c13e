#include "ToolFuzz.h"

#include <string>

#include "Catalogs.h"
#include "FuzzSupport.h"
#include "XmlText.h"

namespace lombar::fuzz {
namespace {

constexpr unsigned kSortModes = 9;

// Where a cut at `at` ends when moved to just after the next tag: a cut
// inside a tag is refused for its syntax alone, so the cuts that test the
// check leave whole elements.
std::size_t CutAfterTag(std::string_view text, std::size_t at) {
  const std::size_t close = text.find('>', at);
  return close == std::string_view::npos ? at : close + 1;
}

// A cut that the check lets through must have taken nothing but what may
// follow a root element.
void RequireCutRefused(std::string_view text, std::size_t cut) {
  const std::string_view kept = text.substr(0, cut), cut_off = text.substr(cut);
  if (tool::FindXmlFault(kept) || !tool::FindXmlFault("<root/>" + std::string(cut_off))) return;
  Broken("a document cut short passes the check", text, kept);
}

void RequirePrettyWellFormed(std::string_view text) {
  const std::string pretty = tool::PrettyXml(text);
  if (const auto fault = tool::FindXmlFault(pretty))
    Broken("pretty writes " + tool::Describe(*fault), text, pretty);
}

// What `lombar sort` does with the text, the file and the streams left out.
void SortDocument(std::string_view text, unsigned modes) {
  try {
    const auto catalog = tool::ReadCatalog({"input", std::string(text)}, false);
    tool::SortStores(*catalog, modes % kSortModes, modes / kSortModes % kSortModes);
    static_cast<void>(catalog->XML());
  } catch (const tool::Failure&) {
  } catch (const Error&) {
  }
}

}  // namespace

void RunToolFuzzInput(std::string_view input) {
  if (input.size() < 2) return;
  const auto modes = static_cast<unsigned char>(input[0]);
  const auto cut_in_256ths = static_cast<unsigned char>(input[1]);
  std::string_view text = input.substr(2);
  if (ClaimsTooManyMembers(text)) return;
  const bool well_formed = !tool::FindXmlFault(text);
  if (well_formed) RequirePrettyWellFormed(text);
  if (cut_in_256ths != 0) {
    const std::size_t cut = CutAfterTag(text, text.size() * cut_in_256ths / 256);
    if (well_formed) RequireCutRefused(text, cut);
    text = text.substr(0, cut);
  }
  SortDocument(text, modes);
}

}  // namespace lombar::fuzz
