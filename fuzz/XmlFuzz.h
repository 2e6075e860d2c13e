// The XML fuzz target's work, apart from libFuzzer so the unit tests can
// replay the seeds and the inputs it once broke on.
//
// The first byte of an input picks where the rest goes: its low seven bits,
// modulo one more than the number of creatable classes, give the class in
// type library order, or, for the last value, the raw reader. Its top bit
// starts the input with the thread's XML switches (Compress and
// ZeroSuppress) on. For the raw reader the rest is one count byte, that many
// pairs of bytes (an operation and its argument; see XmlFuzz.cpp), then the text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "frame/TypeLibrary.h"

namespace lombar::fuzz {

inline constexpr std::uint8_t kSwitchesBit = 0x80;

// Where an input goes: a class, or the raw reader when `info` is null.
struct XmlFuzzChoice {
  const ClassInfo* info = nullptr;
  bool switches = false;
};

inline XmlFuzzChoice ChooseTarget(std::uint8_t selector) {
  const auto& classes = CreatableClasses();
  const std::size_t index = (selector & ~kSwitchesBit) % (classes.size() + 1);
  return {index < classes.size() ? classes[index] : nullptr, (selector & kSwitchesBit) != 0};
}

// The first byte that picks the class at `index` in CreatableClasses(), or
// the raw reader for an index one past the last class.
inline std::uint8_t SelectorOf(std::size_t index, bool switches) {
  return static_cast<std::uint8_t>(index | (switches ? kSwitchesBit : 0));
}

// The XML property of an object, through dispatch as a client reaches it.
std::string XmlOf(AutomationObject& object);
void SetXml(AutomationObject& object, std::string_view text);

// The distinct names in a text, each list in order of first appearance and
// at most `most` long: of elements ("<name") and of attributes ("name=").
struct XmlNames {
  std::vector<std::string> elements;
  std::vector<std::string> attributes;
};
XmlNames NamesIn(std::string_view text, std::size_t most = SIZE_MAX);

// An item collection reads a text in the plain form in one pass, and any
// other by the searching reader, which it also takes for every text while
// a sink hears its events. Raises BrokenPromise unless both readings leave
// the same collection (its version and XML) or raise the same error.
void CheckItemReadingsAgree(std::string_view text);
// The same for a catalog, which reads by the search alone while the
// thread's one-pass reading is off.
void CheckCatalogReadingsAgree(std::string_view text);

// Runs one input. Library errors are expected answers to bad text and end
// the input quietly; a broken promise raises BrokenPromise:
// - a class's text, once read and written as well-formed XML, reads back
//   into a fresh object of the class and writes again to the same text
//   (every object rebuilds itself byte for byte from the XML it wrote);
// - an item collection's or catalog's text reads the same in one pass as by
//   the search (CheckItemReadingsAgree, CheckCatalogReadingsAgree);
// - the reader's Value and Block answer as a reader fresh on the same text
//   does, whatever it searched before (its remembered positions only save time);
// - XMLcompress leaves nothing more to remove, and UnescapeValue undoes
//   EscapeValue.
void RunXmlFuzzInput(std::string_view input);

}  // namespace lombar::fuzz
