// The steps of the tool's commands from a document's text to its catalog and
// back, apart from files and arguments so that a fuzz target can run them.
#pragma once

#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "lombar/Error.h"
#include "lombar/ICatalog.h"

namespace lombar::tool {

class Progress;

// A failure the tool reports on one line: what it concerns (a file, an
// option), the error number (0 when there is none) and the description.
struct Failure {
  std::string subject;
  std::int32_t number = 0;
  std::string description;
};

// A failure with the usual description of its number, any detail after it
// in brackets.
Failure FailureOf(std::string subject, std::int32_t number, std::string_view detail = {});

struct Document {
  std::string name;  // as messages show it
  std::string text;
};

// Documents that are not well-formed XML are refused with this error.
inline constexpr std::int32_t kNotWellFormed = kTypeMismatch;

// Runs `step`, turning a library error (its lines joined into one) and a
// lack of memory into a failure about `subject`.
template <class Step>
auto About(const std::string& subject, Step&& step) {
  try {
    return step();
  } catch (const Error& error) {
    std::string description = error.Description();
    for (char& c : description)
      if (c == '\n' || c == '\r') c = ' ';
    throw Failure{subject, error.Number(), description};
  } catch (const std::bad_alloc&) {
    throw FailureOf(subject, kOutOfMemory);
  }
}

// Nothing when the document is well-formed XML. Otherwise a failure (error
// kNotWellFormed) naming the first fault, or, when `lenient`, that fault as
// a warning line on standard error.
void RequireWellFormed(const Document& document, bool lenient);

// The catalog of a well-formed document (see RequireWellFormed), its
// providers made the thread's global ones so that JOBBER and seller aliases
// name them.
Ref<ICatalog> ReadCatalog(const Document& document, bool lenient, Progress* progress = nullptr);

// The catalog the library reads from the document, well-formed or not.
Ref<ICatalog> CatalogOf(const Document& document, Progress* progress = nullptr);

// Whether the text opens a catalog document rather than old-style items.
bool IsCatalogDocument(std::string_view text);

// A sort mode of ICatItemCol.SortCatalog: its number and constant's name.
struct NamedSortMode {
  Long number;
  std::string name;
};

// Every sort mode, as the library's enumeration lists them.
std::vector<NamedSortMode> SortModeNames();

// A sort mode given by number or by name in any letter case; error 5 about
// `option` for any other text.
Long SortMode(const std::string& given, const std::string& option);

// Sorts every store's items with the two sort modes.
void SortStores(ICatalog& catalog, Long aftermarket, Long non_catalog,
                Progress* progress = nullptr);

}  // namespace lombar::tool
