#include "XmlFuzz.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "XmlText.h"
#include "frame/DiagnosticLog.h"
#include "frame/Dispatch.h"
#include "lombar/Error.h"
#include "lombar/ICatItem.h"
#include "lombar/ICatItemCol.h"
#include "lombar/ICatPriceCol.h"
#include "lombar/ICatProviderCol.h"
#include "lombar/ICatStore.h"
#include "lombar/ICatStoreCol.h"
#include "lombar/ICatalog.h"
#include "model/ClassTable.h"
#include "model/ModelState.h"
#include "model/support/CollectionXml.h"
#include "model/support/TextFailures.h"
#include "text/XmlEscape.h"
#include "text/XmlReader.h"
#include "text/XmlWriter.h"

namespace lombar::fuzz {
namespace {

// ---- the classes ----

// Each input starts from the thread's first state, so that an input replayed
// alone does what it did in the run that found it.
void ResetThreadModel(bool switches) {
  ModelState& model = ThreadModel();
  model.global_stores = Nothing;
  model.global_providers = Nothing;
  XmlSwitches::OfThread() = {switches, switches};
}

// Failures to read back a written text that are known and left as they are,
// by the end of the error's description (its innermost source and message).
// Under ZeroSuppress a spec's Group of 0 is not written, and a spec read
// without a Group is a type mismatch on purpose (a Group is required).
constexpr std::string_view kKnownUnreadable[] = {
    "ICatSpec | Let XML, Error # 13 at line: 0\r\nType mismatch",
};

bool IsKnownUnreadable(const Error& error) {
  return std::any_of(std::begin(kKnownUnreadable), std::end(kKnownUnreadable),
                     [&](std::string_view known) { return error.Description().ends_with(known); });
}

// Reads texts into fresh objects of one class and writes them again. The
// objects stay alive until the end: some classes change the thread's XML
// switches when they are destroyed.
class Rewriter {
 public:
  explicit Rewriter(const ClassInfo& info) : info_(info) {}

  std::string operator()(std::string_view text) {
    objects_.push_back(info_.create());
    SetXml(*objects_.back(), text);
    return XmlOf(*objects_.back());
  }

  // The same for a text the class wrote: a library error is a broken
  // promise unless it is a known one; then nullopt.
  std::optional<std::string> Again(std::string_view written) {
    try {
      return (*this)(written);
    } catch (const Error& error) {
      if (IsKnownUnreadable(error)) return std::nullopt;
      Broken(info_.name + ": its written XML raises an error when read back", written,
             "error " + std::to_string(error.Number()) + ": " + error.Description());
    }
  }

 private:
  const ClassInfo& info_;
  std::vector<Ref<AutomationObject>> objects_;
};

// The writer copies a value that looks like markup ("<...>") as it stands,
// so a value taken from text that is not well-formed can write tags that the
// next read takes for structure: the promise is for well-formed written texts.
//
// It holds from the second written text on. The reader takes the first
// element of a name anywhere in the text, and a writer leaves out an empty
// child: when the first text lacks one, a deeper element of the same name (a
// store's information missing, the one of a spec of its items' vehicle)
// stands in for it on the next read, and is written in its place from then on.
void ReadWriteAndReadBack(const ClassInfo& info, std::string_view text) {
  if (ClaimsTooManyMembers(text)) return;
  Rewriter rewrite(info);
  std::string written;
  try {
    written = rewrite(text);
  } catch (const Error&) {
    return;
  }
  for (int round = 0; round < 2; ++round) {
    if (tool::FindXmlFault(written)) return;
    const std::optional<std::string> again = rewrite.Again(written);
    if (!again || *again == written) return;
    if (round == 1) Broken(info.name + ": its written XML does not read back", written, *again);
    written = *again;
  }
}

// ---- the item collection's two readings ----

class DeafSink final : public ICatItemColEvents {
 public:
  void OnCountChanged() override {}
};

// The bytes of this thread's error log so far.
std::uintmax_t ErrorLogSize() {
  std::error_code missing;
  const std::uintmax_t size = std::filesystem::file_size(ErrorLogFile(), missing);
  return missing ? 0 : size;
}

// What a search (or a get) gives, or the number of the error it raises.
std::string Outcome(const std::function<std::string()>& search) {
  try {
    return search();
  } catch (const Error& error) {
    return "error " + std::to_string(error.Number());
  }
}

// What `read` leaves: its outcome, or the error it raises, then `after`
// (what the object holds even after an error), and how much was logged.
std::string ReadingOutcome(const std::function<std::string()>& read,
                           const std::function<std::string()>& after) {
  const std::uintmax_t logged_before = ErrorLogSize();
  std::string outcome;
  try {
    outcome = read();
  } catch (const Error& error) {
    outcome = "error " + std::to_string(error.Number());
  }
  outcome += '\n' + Outcome(after);
  return outcome + "\nlogged " + std::to_string(ErrorLogSize() - logged_before) + " bytes";
}

// A reading may keep items and prices packed until they are reached: the
// XML as read, then again once every item, and then every price, was made
// into an object of its own from them, must be what was read.
std::string XmlAsItemsAndPricesAreReached(
    const auto& object, const std::function<std::vector<Ref<ICatItemCol>>()>& items) {
  std::string xml = object.XML();
  std::vector<Ref<ICatItem>> reached;
  for (const Ref<ICatItemCol>& collection : items()) {
    for (const Ref<ICatItem>& item : collection->Members())
      reached.push_back(item);
  }
  xml += "\nitems reached: " + object.XML();
  for (const Ref<ICatItem>& item : reached)
    item->PriceCol()->Count();
  return xml + "\nprices reached: " + object.XML();
}

// The collection's version (before the XML get, which renews it) and XML
// after reading `text`.
std::string ItemsRead(std::string_view text, bool heard) {
  const auto items = MakeRef<ICatItemCol>();
  if (heard) items->Advise(MakeRef<DeafSink>());
  return ReadingOutcome(
      [&] {
        items->SetXML(text);
        return items->XDocVersion();
      },
      [&] {
        return XmlAsItemsAndPricesAreReached(*items,
                                             [&] { return std::vector<Ref<ICatItemCol>>{items}; });
      });
}

// The catalog's XML after reading `text`, with or without the one pass.
std::string CatalogRead(std::string_view text, bool one_pass) {
  bool& allowed = ThreadModel().one_pass_reading;
  allowed = one_pass;
  const auto catalog = MakeRef<ICatalog>();
  std::string outcome = ReadingOutcome(
      [&] {
        catalog->SetXML(text);
        return std::string();
      },
      [&] {
        return XmlAsItemsAndPricesAreReached(*catalog, [&] {
          std::vector<Ref<ICatItemCol>> items;
          for (const Ref<ICatStore>& store : catalog->Stores()->Members())
            items.push_back(store->Items());
          return items;
        });
      });
  allowed = true;
  return outcome;
}

// ---- the raw reader ----

// Value and Block against a fresh reader on the same text, unless the search
// continues the previous one of its kind (same tag, the next occurrence):
// that one starts where the previous find ended and may, by design, find what
// a fresh search does not (a fresh search counts end tags, and a self-closing
// element has none). Every other search must give what a fresh one gives,
// whatever misses the reader remembers.
void CompareWithFreshReader(XmlReader& reader, std::string_view text, bool block,
                            std::string_view name, Short occurrence, bool continues) {
  auto search = [&](XmlReader& which) {
    return Outcome([&] {
      return block ? which.Block(name, occurrence) : which.Value(name, occurrence);
    });
  };
  const std::string answer = search(reader);
  if (continues) return;
  XmlReader fresh(LoggedXmlFailures());
  fresh.SetXML(text);
  const std::string expected = search(fresh);
  if (answer != expected)
    Broken(std::string(block ? "Block(" : "Value(") + std::string(name) + ", " +
               std::to_string(occurrence) + ") depends on earlier searches",
           expected, answer);
}

void CheckCompressIsComplete(std::string_view text) {
  XmlWriter writer(LoggedXmlFailures());
  const std::string once = Outcome([&] { return writer.XMLcompress(text); });
  const std::string twice = Outcome([&] { return writer.XMLcompress(once); });
  if (once.rfind("error ", 0) != 0 && twice != once)
    Broken("XMLcompress left an empty element", once, twice);
}

void CheckEscapeIsUndone(std::string_view value) {
  const std::string back = UnescapeValue(EscapeValue(value));
  if (back != value) Broken("UnescapeValue does not undo EscapeValue", value, back);
}

// Each pair of bytes is an operation and its argument: the argument's low
// three bits give an occurrence from -1 to 6, the rest a name in the text.
void RunReader(std::string_view input) {
  if (input.empty()) return;
  const std::size_t pairs =
      std::min<std::size_t>(static_cast<unsigned char>(input[0]) % 16, (input.size() - 1) / 2);
  const std::string_view operations = input.substr(1, 2 * pairs);
  const std::string_view text = input.substr(1 + 2 * pairs);
  // The operations search for names that are in the text.
  constexpr std::size_t kMostNames = 32;
  const XmlNames found = NamesIn(text, kMostNames);
  std::vector<std::string> names = found.elements;
  names.insert(names.end(), found.attributes.begin(), found.attributes.end());
  XmlReader reader(LoggedXmlFailures());
  reader.SetXML(text);
  // The previous Value and Block searches, which the next may continue.
  struct Search {
    std::string name;
    Short occurrence = 0;
    bool made = false;
    bool ContinuedBy(std::string_view next, Short next_occurrence) const {
      return made && next == name && next_occurrence == occurrence + 1;
    }
  };
  Search previous[2];
  for (std::size_t i = 0; i < operations.size(); i += 2) {
    const auto argument = static_cast<unsigned char>(operations[i + 1]);
    const auto occurrence = static_cast<Short>((argument & 7) - 1);
    const std::size_t pick = argument >> 3;
    const std::string name = names.empty() ? "" : names[pick % names.size()];
    const std::string other = names.empty() ? "" : names[(pick + 1) % names.size()];
    switch (const int operation = static_cast<unsigned char>(operations[i]) % 6) {
      case 0:
      case 1: {
        Search& last = previous[operation];
        CompareWithFreshReader(reader, text, operation == 1, name, occurrence,
                               last.ContinuedBy(name, occurrence));
        last = {name, occurrence, true};
        break;
      }
      case 2:
        Outcome([&] { return reader.Attrib(name, other); });
        break;
      case 3:
        reader.SetXML(text);
        previous[0] = previous[1] = {};
        break;
      case 4:
        CheckCompressIsComplete(text);
        break;
      case 5:
        CheckEscapeIsUndone(Outcome([&] { return reader.GetFieldValue(text); }));
        break;
    }
  }
}

bool IsNameByte(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == ':' || c == '-' ||
         c == '.';
}

void AddName(std::vector<std::string>& names, std::string_view name, std::size_t most) {
  if (!name.empty() && names.size() < most &&
      std::find(names.begin(), names.end(), name) == names.end())
    names.emplace_back(name);
}

}  // namespace

std::string XmlOf(AutomationObject& object) {
  std::vector<Argument> none;
  return Invoke(object, GetIdOfName(object, "XML"), MemberKind::Get, none).ToText();
}

void SetXml(AutomationObject& object, std::string_view text) {
  std::vector<Argument> args = {{Variant(text)}};
  Invoke(object, GetIdOfName(object, "XML"), MemberKind::Let, args);
}

XmlNames NamesIn(std::string_view text, std::size_t most) {
  XmlNames names;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '<') {
      std::size_t end = i + 1;
      while (end < text.size() && IsNameByte(text[end])) ++end;
      AddName(names.elements, text.substr(i + 1, end - i - 1), most);
    } else if (text[i] == '=') {
      std::size_t start = i;
      while (start > 0 && IsNameByte(text[start - 1])) --start;
      AddName(names.attributes, text.substr(start, i - start), most);
    }
  }
  return names;
}

void CheckItemReadingsAgree(std::string_view text) {
  const std::string searched = ItemsRead(text, true);
  const std::string in_one_pass = ItemsRead(text, false);
  if (in_one_pass != searched)
    Broken("ICatItemCol: the one-pass reading differs from the search", searched, in_one_pass);
}

void CheckCatalogReadingsAgree(std::string_view text) {
  const std::string searched = CatalogRead(text, false);
  const std::string in_one_pass = CatalogRead(text, true);
  if (in_one_pass != searched)
    Broken("ICatalog: the one-pass reading differs from the search", searched, in_one_pass);
}

void RunXmlFuzzInput(std::string_view input) {
  // The fuzz target links the static archive: the classes are its to register.
  [[maybe_unused]] static const bool registered = (RegisterModelClasses(), true);
  if (input.empty()) return;
  const XmlFuzzChoice choice = ChooseTarget(static_cast<std::uint8_t>(input[0]));
  ResetThreadModel(choice.switches);
  if (choice.info) {
    const std::string_view text = input.substr(1);
    if (choice.info->name == ICatItemCol::kClassName && !ClaimsTooManyMembers(text))
      CheckItemReadingsAgree(text);
    if (choice.info->name == ICatalog::kClassName && !ClaimsTooManyMembers(text))
      CheckCatalogReadingsAgree(text);
    ReadWriteAndReadBack(*choice.info, text);
  } else {
    RunReader(input.substr(1));
  }
}

}  // namespace lombar::fuzz
