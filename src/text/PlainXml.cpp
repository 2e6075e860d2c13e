#include "text/PlainXml.h"

#include <cstring>
#include <string>

#include "base/Text.h"
#include "base/Utf8.h"

namespace lombar {
namespace {

// Whether '<' followed by `mark` is in the text. The mark is looked for,
// not the '<', which every tag starts with: most texts hold few marks.
bool HasMarkupOpening(std::string_view text, char mark) noexcept {
  for (std::size_t at = 1; at < text.size(); ++at) {
    const void* found = std::memchr(text.data() + at, mark, text.size() - at);
    if (!found) return false;
    at = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
    if (text[at - 1] == '<') return true;
  }
  return false;
}

}  // namespace

PlainXmlCursor::PlainXmlCursor(std::string_view text)
    : at_(text.data()),
      end_(text.data() + text.size()),
      entities_(text.find('&') != std::string_view::npos) {
  if (!IsAscii(text) || HasMarkupOpening(text, '!') || HasMarkupOpening(text, '?'))
    throw NotPlain{};
}

const char* PlainXmlCursor::MarkupFurther() const {
  const void* lt = std::memchr(at_, '<', Left());
  if (!lt) throw NotPlain{};
  return static_cast<const char*>(lt);
}

void PlainXmlCursor::EndOf(std::string_view name) {
  ReadEndTag(NextMarkup(), name);
}

std::string_view PlainXmlCursor::SearchedBlock(std::string_view name) {
  const char* start = at_ - name.size() - 2;  // at "<name>"
  const std::string end_tag = "</" + std::string(name) + ">";
  const std::size_t end = FindBytes(std::string_view(at_, Left()), end_tag, 0);
  if (end == std::string_view::npos) throw NotPlain{};
  at_ += end + end_tag.size();
  return {start, static_cast<std::size_t>(at_ - start)};
}

bool PlainXmlCursor::OnlyTextLeft() const noexcept {
  return std::memchr(at_, '<', Left()) == nullptr;
}

PlainNames::PlainNames(const std::vector<std::string_view>& names) {
  std::size_t size = 8;
  while (size < 2 * names.size())
    size *= 2;
  places_.resize(size);
  for (std::size_t number = 0; number < names.size(); ++number) {
    std::size_t at = PlaceOf(names[number]);
    while (!places_[at].name.empty())
      at = (at + 1) & (size - 1);
    places_[at] = {names[number], number};
  }
}

}  // namespace lombar
