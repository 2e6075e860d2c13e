#include "Commands.h"

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>
#include <utility>

#include <unistd.h>

#include "Documents.h"
#include "Progress.h"
#include "Diff.h"
#include "Report.h"
#include "Schema.h"
#include "XmlText.h"
#include "lombar/Json.h"
#include "lombar/lombar.h"

namespace lombar::tool {
namespace {

Document Read(const Source& source) {
  if (source.given || !isatty(STDIN_FILENO)) {
    const std::string path = source.given ? source.path : "-";
    const std::string name = ShownName(path, "standard input");
    return {name, About(name, [&] { return ReadDocument(path); })};
  }
  return {"sample", SampleCatalog({})};
}

void Write(const std::string& output, std::string_view text) {
  About(ShownName(output, "standard output"), [&] { WriteDocument(output, text); });
}

}  // namespace

int Show(const Source& source, ReportFormat format) {
  const Document document = Read(source);
  std::ostringstream report;
  {
    Progress progress;
    const auto catalog = ReadCatalog(document, source.lenient, &progress);
    progress.Stage("reporting");
    About(document.name, [&] {
      if (format == ReportFormat::kJson) {
        WriteJsonReport(*catalog, report);
      } else {
        const bool colour = isatty(STDOUT_FILENO) && !std::getenv("NO_COLOR");
        WriteTextReport(*catalog, report, {.colour = colour});
      }
    });
  }
  Write("-", report.view());
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
    const auto catalog = ReadCatalog(document, source.lenient, &progress);
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
    SortStores(catalog, aftermarket, non_catalog, &progress);
  });
}

int Summarize(const Source& source, const std::string& store, const std::string& output) {
  return Rewrite(source, output, [&](ICatalog& catalog, Progress& progress) {
    progress.Stage("summarising");
    catalog.Summarize(store);
  });
}

int Convert(const Source& source, const std::string& providers_file, const std::string& output) {
  // Required unless the conversion is to or from JSON.
  if (providers_file.empty()) throw FailureOf("--providers", kInvalidProcedureCall, "--providers is required");
  const Document providers_text = Read({providers_file, true, source.lenient});
  const Document document = Read(source);
  RequireWellFormed(providers_text, source.lenient);
  RequireWellFormed(document, source.lenient);
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

namespace {

// Whether reading the document and writing it back kept its text, said in a line.
struct RoundTrip {
  bool kept = false;
  std::string said;
};

// A text's size and a hash of its bytes, taken a piece at a time (FNV-1a):
// a file read a second time is taken for the text read the first time only
// when both are the same.
struct Fingerprint {
  std::size_t size = 0;
  std::uint64_t hash = 14695981039346656037u;
  void Add(std::string_view piece) {
    size += piece.size();
    for (const char c : piece) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211u;
  }
  bool operator==(const Fingerprint&) const = default;
};

// How far the file's bytes, read again a piece at a time, agree with
// `written`, and its fingerprint; nothing when it cannot be read.
struct Agreement {
  std::size_t same = 0;
  Fingerprint file;
};
std::optional<Agreement> CompareWithFile(const std::string& path, std::string_view written) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  Agreement agreement;
  std::string piece(std::size_t{1} << 20, '\0');
  bool agrees = true;
  while (in) {
    in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
    const std::string_view read(piece.data(), static_cast<std::size_t>(in.gcount()));
    if (agrees) {
      const std::string_view counterpart = written.substr(std::min(agreement.file.size, written.size()));
      const auto [differs, unused] = std::mismatch(read.begin(), read.end(), counterpart.begin(), counterpart.end());
      agreement.same += static_cast<std::size_t>(differs - read.begin());
      agrees = differs == read.end();
    }
    agreement.file.Add(read);
  }
  if (in.bad()) return std::nullopt;
  return agreement;
}

// The line saying whether the `read_size` bytes read and `written` agree,
// their first `same` bytes agreeing. The place is counted in the written
// text: up to it, the two are the same.
RoundTrip Compared(std::size_t read_size, std::size_t same, std::string_view written) {
  if (same == read_size && same == written.size()) {
    return {true, "the round trip kept all " + std::to_string(read_size) + " bytes"};
  }
  const XmlFault place = PlaceOf(written, same, "");
  return {false, "the round trip changed the text at line " + std::to_string(place.line) + ", column " +
                     std::to_string(place.column) + " (read " + std::to_string(read_size) + " bytes, wrote " +
                     std::to_string(written.size()) + ")"};
}

RoundTrip ReadAndWriteBack(Document& document, const Source& source) {
  // A regular file is read again, a piece at a time, for the comparison: its
  // text is let go before the catalog is written, so that the text, the
  // catalog and the written text are never all held at once. A file that
  // changed meanwhile is said to have changed, never compared.
  std::error_code unknown;
  const bool reread = source.given && std::filesystem::is_regular_file(source.path, unknown);
  Fingerprint fingerprint;
  fingerprint.Add(document.text);
  std::string written;
  {
    Progress progress;
    const auto catalog = CatalogOf(document, &progress);
    if (reread) std::string().swap(document.text);
    progress.Stage("writing");
    written = About(document.name, [&] { return catalog->XML(); });
  }
  if (reread) {
    const std::optional<Agreement> agreement = CompareWithFile(source.path, written);
    if (!agreement || agreement->file != fingerprint) return {false, "the file changed while it was checked"};
    return Compared(fingerprint.size, agreement->same, written);
  }
  const std::string_view read = document.text;
  const auto [differs, unused] = std::mismatch(read.begin(), read.end(), written.begin(), written.end());
  return Compared(read.size(), static_cast<std::size_t>(differs - read.begin()), written);
}

}  // namespace

int ConvertJson(const Source& source, bool to_json, const std::string& output) {
  const Document document = Read(source);
  if (to_json) RequireWellFormed(document, source.lenient);
  const std::string converted = About(document.name, [&] {
    if (to_json) return JsonOfXml(ICatalog::kClassName, document.text);
    const auto catalog = MakeRef<ICatalog>();
    catalog->SetXML(XmlOfJson(ICatalog::kClassName, document.text));
    return catalog->XML();
  });
  Write(output, converted);
  return 0;
}

int Check(const Source& source) {
  Document document = Read(source);
  const std::optional<XmlFault> fault = FindXmlFault(document.text);
  const RoundTrip round_trip = fault && !source.lenient
                                   ? RoundTrip{false, "not read (--lenient reads it as the library does)"}
                                   : ReadAndWriteBack(document, source);
  Write("-", Visible(document.name + ": " + (fault ? Describe(*fault) : "well-formed XML")) + "\n" +
                 Visible(document.name + ": " + round_trip.said) + "\n");
  return round_trip.kept && !fault ? 0 : 1;
}

int Pretty(const Source& source, const std::string& output) {
  const Document document = Read(source);
  RequireWellFormed(document, false);
  Write(output, PrettyXml(document.text));
  return 0;
}

int Sample(const SampleOptions& options, const std::string& output) {
  if (options.items > static_cast<long long>(kMostItemsPerStore) * options.stores) {
    throw FailureOf("--items", kOverflow,
                    "at most " + std::to_string(kMostItemsPerStore) + " items a store: " +
                        std::to_string(kMostItemsPerStore * static_cast<long long>(options.stores)) + " over " +
                        std::to_string(options.stores) + (options.stores == 1 ? " store" : " stores"));
  }
  std::string document;
  {
    Progress progress;
    progress.Stage("making " + std::to_string(options.items) + " items");
    document = About("sample", [&] { return SampleCatalog(options); });
  }
  Write(output, document);
  return 0;
}

int Schema(const std::string& class_name, const std::string& output) {
  Write(output, SchemaOf(class_name));
  return 0;
}

int Diff(const std::string& before, const std::string& after, ReportFormat format) {
  // The trees point into their documents' texts.
  const auto read = [](const std::string& path) {
    Document document = Read({path, true, false});
    RequireWellFormed(document, false);
    return document;
  };
  const Document document_before = read(before), document_after = read(after);
  const std::vector<Difference> differences =
      DifferencesOf(ReadXmlTree(document_before.text), ReadXmlTree(document_after.text));
  std::string said;
  if (format == ReportFormat::kJson) {
    said = DifferencesJson(differences);
  } else {
    for (const Difference& difference : differences) said += Visible(difference.Line()) + "\n";
  }
  Write("-", said);
  return differences.empty() ? 0 : 1;
}

std::string VersionText() {
  const char* name = nullptr;
  uint16_t major = 0, minor = 0;
  lombar_typelib(&name, nullptr, &major, &minor, nullptr);
  return std::string("lombar ") + LOMBAR_VERSION + " (type library " + name + " " +
         std::to_string(major) + "." + std::to_string(minor) + ")";
}

}  // namespace lombar::tool
