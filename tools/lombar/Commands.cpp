#include "Commands.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <iostream>
#include <string_view>

#include <unistd.h>

#include "Documents.h"
#include "Progress.h"
#include "Report.h"
#include "XmlText.h"
#include "lombar/Error.h"
#include "lombar/ICatalog.h"
#include "lombar/lombar.h"

namespace lombar::tool {
namespace {

constexpr std::string_view kSortEnumeration = "qorCatColItemSort";

bool EqualsIgnoringCaseAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Runs `step`, turning a library error into a failure about `subject`.
template <class Step>
auto About(const std::string& subject, Step&& step) {
  try {
    return step();
  } catch (const Error& error) {
    std::string description = error.Description();
    for (char& c : description)
      if (c == '\n' || c == '\r') c = ' ';
    throw Failure{subject, error.Number(), description};
  }
}

struct Document {
  std::string name;  // as messages show it
  std::string text;
};

Document Read(const Source& source) {
  if (source.given) {
    const std::string name = ShownName(source.path, "standard input");
    return {name, About(name, [&] { return ReadDocument(source.path); })};
  }
  if (!isatty(STDIN_FILENO)) {
    std::string piped = About("standard input", [] { return ReadDocument("-"); });
    if (!piped.empty()) return {"standard input", std::move(piped)};
  }
  return {"sample", SampleCatalog({})};
}

// The catalog of a document, its providers made the thread's global ones so
// that JOBBER and seller aliases name them.
bool IsCatalogDocument(std::string_view text) {
  constexpr std::string_view kRoot = "<Catalogs>";
  return text.size() >= kRoot.size() && EqualsIgnoringCaseAscii(text.substr(0, kRoot.size()), kRoot);
}

Ref<ICatalog> Load(const Document& document, Progress& progress) {
  progress.Stage("reading " + document.name);
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

void Write(const std::string& output, std::string_view text) {
  About(ShownName(output, "standard output"), [&] { WriteDocument(output, text); });
}

// A sort mode given by number or by name, in any letter case.
Long SortMode(const std::string& given, const std::string& option) {
  const uint32_t count = lombar_constant_count();
  for (uint32_t i = 0; i < count; ++i) {
    const char* enumeration = nullptr;
    const char* name = nullptr;
    int32_t value = 0;
    lombar_constant(i, &enumeration, &name, &value);
    if (enumeration != kSortEnumeration) continue;
    if (std::to_string(value) == given || EqualsIgnoringCaseAscii(name, given)) return value;
  }
  throw Failure{option, kInvalidProcedureCall,
                std::string(StandardDescription(kInvalidProcedureCall)) + " (unknown sort mode \"" +
                    given + "\")"};
}

}  // namespace

int Show(const Source& source, ReportFormat format) {
  const Document document = Read(source);
  Progress progress;
  const auto catalog = Load(document, progress);
  progress.Stage("reporting");
  About(document.name, [&] {
    if (format == ReportFormat::kJson) {
      WriteJsonReport(*catalog, std::cout);
    } else {
      const bool colour = isatty(STDOUT_FILENO) && !std::getenv("NO_COLOR");
      WriteTextReport(*catalog, std::cout, {.colour = colour});
    }
  });
  return 0;
}

namespace {

// Reads the document, lets `change` work on its catalog, and writes the
// catalog back: to `output` only when all went well.
template <class Change>
int Rewrite(const Source& source, const std::string& output, Change change) {
  const Document document = Read(source);
  std::string rewritten;
  {
    Progress progress;
    const auto catalog = Load(document, progress);
    About(document.name, [&] {
      change(*catalog, progress);
      progress.Stage("writing");
      rewritten = catalog->XML();
    });
  }
  Write(output, rewritten);
  return 0;
}

}  // namespace

int Sort(const Source& source, const SortModes& modes, const std::string& output) {
  const Long aftermarket = SortMode(modes.aftermarket, "--aftermarket");
  const Long non_catalog = SortMode(modes.non_catalog, "--noncatalog");
  return Rewrite(source, output, [&](ICatalog& catalog, Progress& progress) {
    const auto stores = catalog.Stores();
    Long done = 0;
    for (const auto& store : stores->Members()) {
      progress.Stage("sorting store " + std::string(store->MCLdir()) + " (" + std::to_string(++done) + " of " +
                     std::to_string(stores->Count()) + ")");
      store->Items()->SortCatalog(aftermarket, non_catalog);
    }
  });
}

int Summarize(const Source& source, const std::string& store, const std::string& output) {
  return Rewrite(source, output, [&](ICatalog& catalog, Progress& progress) {
    progress.Stage("summarising");
    catalog.Summarize(store);
  });
}

int Convert(const Source& source, const std::string& providers_file, const std::string& output) {
  const Document providers_text = Read({providers_file, true});
  const Document document = Read(source);
  std::string converted;
  {
    Progress progress;
    // The providers come from a provider collection or from a whole catalog.
    About(providers_text.name, [&] {
      const auto holder = MakeRef<ICatalog>();
      if (IsCatalogDocument(providers_text.text)) {
        holder->SetXML(providers_text.text);
      } else {
        holder->Providers()->SetXML(providers_text.text);
      }
      holder->GlobalProviders_Create();
    });
    progress.Stage("converting " + document.name);
    About(document.name, [&] {
      const auto catalog = MakeRef<ICatalog>();
      catalog->SetXML(document.text);
      converted = catalog->XML();
    });
  }
  Write(output, converted);
  return 0;
}

int Check(const Source& source) {
  const Document document = Read(source);
  const std::optional<XmlFault> fault = FindXmlFault(document.text);
  if (fault) {
    std::cout << document.name << ": not well-formed XML at line " << fault->line << ", column "
              << fault->column << ": " << fault->what << "\n";
  } else {
    std::cout << document.name << ": well-formed XML\n";
  }
  std::string written;
  {
    Progress progress;
    const auto catalog = Load(document, progress);
    progress.Stage("writing");
    written = About(document.name, [&] { return catalog->XML(); });
  }
  const std::string_view read = document.text;
  std::size_t same = 0;
  while (same < read.size() && same < written.size() && read[same] == written[same]) ++same;
  const bool kept = same == read.size() && same == written.size();
  if (kept) {
    std::cout << document.name << ": the round trip kept all " << read.size() << " bytes\n";
  } else {
    const XmlFault place = PlaceOf(read, same, "");
    std::cout << document.name << ": the round trip changed the text at line " << place.line
              << ", column " << place.column << " (read " << read.size() << " bytes, wrote "
              << written.size() << ")\n";
  }
  return kept && !fault ? 0 : 1;
}

int Pretty(const Source& source, const std::string& output) {
  const Document document = Read(source);
  if (const auto fault = FindXmlFault(document.text)) {
    throw Failure{document.name, 0,
                  "not well-formed XML at line " + std::to_string(fault->line) + ", column " +
                      std::to_string(fault->column) + ": " + fault->what};
  }
  Write(output, PrettyXml(document.text));
  return 0;
}

int Sample(const SampleOptions& options, const std::string& output) {
  std::string document;
  {
    Progress progress;
    progress.Stage("making " + std::to_string(options.items) + " items");
    document = About("sample", [&] { return SampleCatalog(options); });
  }
  Write(output, document);
  return 0;
}

std::string VersionText() {
  const char* name = nullptr;
  uint16_t major = 0, minor = 0;
  lombar_typelib(&name, nullptr, &major, &minor, nullptr);
  return std::string("lombar ") + LOMBAR_VERSION + " (type library " + name + " " +
         std::to_string(major) + "." + std::to_string(minor) + ")";
}

}  // namespace lombar::tool
