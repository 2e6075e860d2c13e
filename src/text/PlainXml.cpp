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

// Whether `tag` is one of `names` whose bit in `met` is not set.
bool IsUnmet(const PlainNames* names, const std::uint64_t* met, std::string_view tag) noexcept {
  if (!names) return false;
  const std::size_t number = names->Find(tag);
  return number != PlainNames::npos && (*met >> number & 1) == 0;
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
  const std::string_view block(start, static_cast<std::size_t>(at_ - start));
  CheckScopes(block);
  return block;
}

// Each tag's name runs to a space, '/' or '>', as the search's forms end it.
void PlainXmlCursor::CheckScopes(std::string_view block) const {
  if (!scope_) return;
  for (std::size_t lt = block.find('<'); lt != std::string_view::npos;
       lt = block.find('<', lt + 1)) {
    const bool end_tag = lt + 1 < block.size() && block[lt + 1] == '/';
    const std::size_t name = lt + (end_tag ? 2 : 1);
    const std::string_view tag = block.substr(name, block.find_first_of(" />", name) - name);
    for (const Scope* scope = scope_; scope; scope = scope->outer_) {
      if (end_tag ? !scope->element_.empty() && tag == scope->element_
                  : IsUnmet(scope->names_, scope->met_, tag))
        throw NotPlain{};
    }
  }
}

bool PlainXmlCursor::OnlyTextLeft() const noexcept {
  return std::memchr(at_, '<', Left()) == nullptr;
}

PlainNames::PlainNames(const std::vector<std::string_view>& names) : names_(names) {
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
