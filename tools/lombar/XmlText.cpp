#include "XmlText.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <unordered_set>
#include <utility>
#include <vector>

namespace lombar::tool {
namespace {

// A fault met while scanning, at a byte offset of the text.
struct ScanFault {
  std::size_t offset;
  std::string what;
};

struct Token {
  enum Kind { kStart, kEnd, kEmpty, kText, kOther } kind;
  std::string_view raw;   // the whole tag or text, as it stands
  std::string_view name;  // of a tag
  std::size_t offset;
};

// What each byte may be in a name, looked up: names are most of a
// document's markup.
enum NameByte : unsigned char { kNotInName = 0, kInName = 1, kStartsName = 2 };
constexpr std::array<unsigned char, 256> kNameBytes = [] {
  std::array<unsigned char, 256> bytes{};
  for (int c = 0; c < 256; ++c) {
    const bool start = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
    const bool inside = start || (c >= '0' && c <= '9') || c == '-' || c == '.';
    bytes[static_cast<std::size_t>(c)] = static_cast<unsigned char>((start ? kStartsName : 0) | (inside ? kInName : 0));
  }
  return bytes;
}();
bool IsNameStart(char c) {
  return (kNameBytes[static_cast<unsigned char>(c)] & kStartsName) != 0;
}
bool IsNameChar(char c) {
  return (kNameBytes[static_cast<unsigned char>(c)] & kInName) != 0;
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsBlankText(std::string_view text) {
  for (const char c : text)
    if (!IsBlank(c)) return false;
  return true;
}

// XML 1.0 allows tab, line feed, carriage return and every other character
// from U+0020 on, except the surrogates, U+FFFE and U+FFFF.
bool IsXmlCharacter(std::uint32_t code) {
  if (code < 0x20) return code == '\t' || code == '\n' || code == '\r';
  return code < 0xD800 || (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

std::string CodePointName(std::uint32_t code) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
  return name;
}

// Splits the text into tags and text, checking each tag's own syntax and the
// entity references of text and attribute values.
class MarkupScanner {
 public:
  explicit MarkupScanner(std::string_view text) : text_(text) {}

  bool Next(Token& token) {
    if (pos_ >= text_.size()) return false;
    const std::size_t start = pos_;
    if (text_[pos_] != '<') {
      pos_ = std::min(text_.find('<', pos_), text_.size());
      CheckCharacters(start, pos_);
      CheckReferences(start, pos_);
      token = {Token::kText, text_.substr(start, pos_ - start), {}, start};
      return true;
    }
    if (StartsWith("<?")) return Skip(token, "?>", "processing instruction");
    if (StartsWith("<!--")) return Skip(token, "-->", "comment");
    if (StartsWith("<![CDATA[")) return Skip(token, "]]>", "CDATA section");
    if (StartsWith("<!")) return Skip(token, ">", "declaration");
    return ScanTag(token);
  }

 private:
  bool StartsWith(std::string_view prefix) const {
    return text_.substr(pos_).starts_with(prefix);
  }
  [[noreturn]] void Fail(std::size_t offset, std::string what) const {
    throw ScanFault{offset, std::move(what)};
  }

  bool Skip(Token& token, std::string_view end, std::string_view what) {
    const std::size_t start = pos_;
    const std::size_t found = text_.find(end, pos_ + 2);
    if (found == std::string_view::npos) Fail(start, "unclosed " + std::string(what));
    pos_ = found + end.size();
    CheckCharacters(start, pos_);
    token = {Token::kOther, text_.substr(start, pos_ - start), {}, start};
    return true;
  }

  std::string_view ScanName() {
    const std::size_t start = pos_;
    if (pos_ >= text_.size() || !IsNameStart(text_[pos_])) Fail(pos_, "a name is expected");
    while (pos_ < text_.size() && IsNameChar(text_[pos_]))
      ++pos_;
    return text_.substr(start, pos_ - start);
  }
  void SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_]))
      ++pos_;
  }
  char At() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

  bool ScanTag(Token& token) {
    const std::size_t start = pos_++;
    const bool closing = At() == '/';
    if (closing) ++pos_;
    const std::string_view name = ScanName();
    if (closing) {
      SkipBlanks();
      if (At() != '>') Fail(pos_, "'>' is expected to close </" + std::string(name));
      ++pos_;
      token = {Token::kEnd, text_.substr(start, pos_ - start), name, start};
      return true;
    }
    ScanAttributes();
    const bool empty = At() == '/';
    if (empty) ++pos_;
    if (At() != '>') Fail(pos_, "'>' is expected to close <" + std::string(name));
    ++pos_;
    token = {empty ? Token::kEmpty : Token::kStart, text_.substr(start, pos_ - start), name, start};
    return true;
  }

  void ScanAttributes() {
    std::unordered_set<std::string_view> seen;
    for (;;) {
      const std::size_t before_blank = pos_;
      SkipBlanks();
      if (At() == '/' || At() == '>' || At() == '\0') return;
      if (pos_ == before_blank) Fail(pos_, "a space is expected before an attribute");
      const std::size_t name_at = pos_;
      const std::string_view name = ScanName();
      if (!seen.insert(name).second) Fail(name_at, "attribute " + std::string(name) + " repeated");
      SkipBlanks();
      if (At() != '=') Fail(pos_, "'=' is expected after attribute " + std::string(name));
      ++pos_;
      SkipBlanks();
      const char quote = At();
      if (quote != '"' && quote != '\'') Fail(pos_, "a quoted value is expected");
      const std::size_t value_start = ++pos_;
      const std::size_t value_end = text_.find(quote, pos_);
      if (value_end == std::string_view::npos) Fail(value_start - 1, "unclosed attribute value");
      const std::size_t less = text_.substr(0, value_end).find('<', value_start);
      if (less != std::string_view::npos) Fail(less, "'<' in an attribute value");
      CheckCharacters(value_start, value_end);
      CheckReferences(value_start, value_end);
      pos_ = value_end + 1;
    }
  }

  // No control character but tab, line feed and carriage return in
  // [begin, end), and neither U+FFFE nor U+FFFF (EF BF BE, EF BF BF).
  void CheckCharacters(std::size_t begin, std::size_t end) const {
    for (std::size_t at = begin; at < end; ++at) {
      const auto byte = static_cast<unsigned char>(text_[at]);
      if (byte < 0x20 && !IsXmlCharacter(byte)) {
        Fail(at, "the character " + CodePointName(byte) + " is not allowed in XML");
      }
      if (byte == 0xEF && at + 2 < end && text_[at + 1] == '\xBF' &&
          (text_[at + 2] == '\xBE' || text_[at + 2] == '\xBF')) {
        Fail(at, "the character " + CodePointName(text_[at + 2] == '\xBE' ? 0xFFFE : 0xFFFF) +
                     " is not allowed in XML");
      }
    }
  }

  // Every '&' in [begin, end) starts a known entity or a character reference.
  // Searches stay inside the range, so the text is read once.
  void CheckReferences(std::size_t begin, std::size_t end) const {
    const std::string_view range = text_.substr(begin, end - begin);
    for (std::size_t at = range.find('&'); at != std::string_view::npos; at = range.find('&', at + 1)) {
      const std::size_t semicolon = range.find(';', at);
      if (semicolon == std::string_view::npos) Fail(begin + at, "'&' starts no reference");
      const std::string_view reference = range.substr(at + 1, semicolon - at - 1);
      if (!IsReference(reference)) {
        Fail(begin + at, "unknown reference &" + std::string(reference) + ";");
      }
      if (reference.starts_with('#') && !IsXmlCharacter(CharacterOf(reference))) {
        Fail(begin + at, "&" + std::string(reference) + "; is a character not allowed in XML");
      }
    }
  }
  static bool IsReference(std::string_view reference) {
    static const std::unordered_set<std::string_view> kEntities = {"amp", "lt", "gt", "quot",
                                                                   "apos"};
    if (kEntities.contains(reference)) return true;
    if (!reference.starts_with('#') || reference.size() < 2) return false;
    const bool hex = reference[1] == 'x';
    const std::string_view digits = reference.substr(hex ? 2 : 1);
    if (digits.empty()) return false;
    for (const char c : digits) {
      const bool digit = c >= '0' && c <= '9';
      const bool hex_letter = (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
      if (!digit && !(hex && hex_letter)) return false;
    }
    return true;
  }

  // The code point of a character reference IsReference accepted ("#60",
  // "#x3C"); one past the largest for a number too long to hold.
  static std::uint32_t CharacterOf(std::string_view reference) {
    const bool hex = reference[1] == 'x';
    const std::string_view digits = reference.substr(hex ? 2 : 1);
    std::uint32_t code = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
    return error == std::errc() && end == digits.data() + digits.size() ? code : 0x110000;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

// Tokens with a few of the next ones in view.
class TokenStream {
 public:
  explicit TokenStream(std::string_view text) : scanner_(text) {}
  // The token `ahead` places on (0: the next); null past the end.
  const Token* Peek(std::size_t ahead = 0) {
    while (ahead_.size() <= ahead) {
      Token token{};
      if (!scanner_.Next(token)) return nullptr;
      ahead_.push_back(token);
    }
    return &ahead_[ahead];
  }
  void Pop() { ahead_.pop_front(); }

 private:
  MarkupScanner scanner_;
  std::deque<Token> ahead_;
};

std::optional<XmlFault> CheckNesting(std::string_view text) {
  MarkupScanner scanner(text);
  std::vector<std::string_view> open;
  bool root_seen = false;
  Token token{};
  while (scanner.Next(token)) {
    const bool outside = open.empty();
    switch (token.kind) {
      case Token::kStart:
      case Token::kEmpty:
        if (outside && root_seen) return PlaceOf(text, token.offset, "a second root element");
        root_seen = true;
        if (token.kind == Token::kStart) open.push_back(token.name);
        if (open.size() > kMostNesting) {
          return PlaceOf(text, token.offset,
                         "elements nested deeper than " + std::to_string(kMostNesting) + " levels");
        }
        break;
      case Token::kEnd:
        if (outside) return PlaceOf(text, token.offset, "</" + std::string(token.name) + "> closes nothing");
        if (open.back() != token.name) {
          return PlaceOf(text, token.offset, "</" + std::string(token.name) + "> closes <" +
                                                 std::string(open.back()) + ">");
        }
        open.pop_back();
        break;
      case Token::kText:
        if (outside && !IsBlankText(token.raw)) return PlaceOf(text, token.offset, "text outside the root element");
        break;
      case Token::kOther:
        if (outside && token.raw.starts_with("<![CDATA[")) {
          return PlaceOf(text, token.offset, "CDATA outside the root element");
        }
        break;
    }
  }
  if (!open.empty()) return PlaceOf(text, text.size(), "<" + std::string(open.back()) + "> is not closed");
  if (!root_seen) return PlaceOf(text, text.size(), "no root element");
  return std::nullopt;
}

void AppendLine(std::string& out, std::size_t depth, std::string_view line) {
  out.append(depth * 2, ' ');
  out += line;
  out += '\n';
}

}  // namespace

XmlFault PlaceOf(std::string_view text, std::size_t offset, std::string what) {
  XmlFault fault{1, 1, std::move(what)};
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++fault.line;
      fault.column = 1;
    } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      ++fault.column;
    }
  }
  return fault;
}

std::string Describe(const XmlFault& fault) {
  return "not well-formed XML at line " + std::to_string(fault.line) + ", column " + std::to_string(fault.column) +
         ": " + fault.what;
}

std::optional<XmlFault> FindXmlFault(std::string_view text) {
  try {
    return CheckNesting(text);
  } catch (const ScanFault& fault) {
    return PlaceOf(text, fault.offset, fault.what);
  }
}

std::string PrettyXml(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  TokenStream tokens(text);
  std::size_t depth = 0;
  for (const Token* token = tokens.Peek(); token; tokens.Pop(), token = tokens.Peek()) {
    switch (token->kind) {
      case Token::kStart: {
        // An element holding only text, or nothing, keeps to one line.
        const Token* next = tokens.Peek(1);
        const Token* after = tokens.Peek(2);
        if (next && next->kind == Token::kEnd) {
          AppendLine(out, depth, std::string(token->raw) + std::string(next->raw));
          tokens.Pop();
        } else if (next && next->kind == Token::kText && after && after->kind == Token::kEnd) {
          AppendLine(out, depth,
                     std::string(token->raw) + std::string(next->raw) + std::string(after->raw));
          tokens.Pop();
          tokens.Pop();
        } else {
          AppendLine(out, depth++, token->raw);
        }
        break;
      }
      case Token::kEnd:
        AppendLine(out, depth > 0 ? --depth : 0, token->raw);
        break;
      case Token::kText:
        if (!IsBlankText(token->raw)) AppendLine(out, depth, token->raw);
        break;
      case Token::kEmpty:
      case Token::kOther:
        AppendLine(out, depth, token->raw);
        break;
    }
  }
  return out;
}

}  // namespace lombar::tool
