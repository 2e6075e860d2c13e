#include "Catalogs.h"

#include <iostream>

#include "lombar/lombar.h"

#include "Documents.h"
#include "Progress.h"
#include "Report.h"
#include "XmlText.h"

namespace lombar::tool {
namespace {

bool EqualsIgnoringCaseAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

void Stage(Progress* progress, std::string text) {
  if (progress) progress->Stage(std::move(text));
}

}  // namespace

Failure FailureOf(std::string subject, std::int32_t number, std::string_view detail) {
  return {std::move(subject), number, DescriptionOf(number, detail)};
}

void RequireWellFormed(const Document& document, bool lenient) {
  const std::optional<XmlFault> fault = FindXmlFault(document.text);
  if (!fault) return;
  if (!lenient) throw Failure{document.name, kNotWellFormed, Describe(*fault)};
  std::cerr << Visible("lombar: " + document.name + ": warning: " + Describe(*fault) +
                       " (read as the library reads it)")
            << "\n";
}

Ref<ICatalog> ReadCatalog(const Document& document, bool lenient, Progress* progress) {
  RequireWellFormed(document, lenient);
  return CatalogOf(document, progress);
}

Ref<ICatalog> CatalogOf(const Document& document, Progress* progress) {
  Stage(progress, "reading " + document.name);
  try {
    return About(document.name, [&] {
      const auto catalog = MakeRef<ICatalog>();
      catalog->SetXML(document.text);
      catalog->GlobalProviders_Create();
      return catalog;
    });
  } catch (Failure& failure) {
    // The library takes any other text for old-style items, which fail for want of providers.
    if (!IsCatalogDocument(document.text)) {
      failure.description += " (no <Catalogs> document; old-style items go through convert)";
    }
    throw;
  }
}

bool IsCatalogDocument(std::string_view text) {
  constexpr std::string_view kRoot = "<Catalogs>";
  return text.size() >= kRoot.size() &&
         EqualsIgnoringCaseAscii(text.substr(0, kRoot.size()), kRoot);
}

std::vector<NamedSortMode> SortModeNames() {
  constexpr std::string_view kSortEnumeration = "qorCatColItemSort";
  std::vector<NamedSortMode> modes;
  const uint32_t count = lombar_constant_count();
  for (uint32_t i = 0; i < count; ++i) {
    const char* enumeration = nullptr;
    const char* name = nullptr;
    int32_t value = 0;
    lombar_constant(i, &enumeration, &name, &value);
    if (enumeration == kSortEnumeration) modes.push_back({value, name});
  }
  return modes;
}

Long SortMode(const std::string& given, const std::string& option) {
  for (const NamedSortMode& mode : SortModeNames()) {
    if (std::to_string(mode.number) == given || EqualsIgnoringCaseAscii(mode.name, given)) return mode.number;
  }
  throw FailureOf(option, kInvalidProcedureCall, "unknown sort mode \"" + given + "\"");
}

void SortStores(ICatalog& catalog, Long aftermarket, Long non_catalog, Progress* progress) {
  const auto stores = catalog.Stores();
  Long done = 0;
  for (const auto& store : stores->Members()) {
    Stage(progress, "sorting store " + std::string(store->MCLdir()) + " (" +
                        std::to_string(++done) + " of " + std::to_string(stores->Count()) + ")");
    store->Items()->SortCatalog(aftermarket, non_catalog);
  }
}

}  // namespace lombar::tool
