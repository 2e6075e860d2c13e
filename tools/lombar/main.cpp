// lombar: look at, check, sort, summarise and make catalog documents from
// the command line.
#include <CLI/CLI.hpp>

#include <iostream>
#include <new>

#include "Commands.h"
#include "Documents.h"
#include "Report.h"

namespace {

using namespace lombar;
using namespace lombar::tool;

constexpr int kFailed = 2;
constexpr int kMostStores = 99;

// Adds the optional document argument every reading subcommand takes.
void AddSource(CLI::App& command, Source& source) {
  command
      .add_option("FILE", source.path,
                  "Catalog document; - for standard input. Without it: standard input when "
                  "it is not a terminal, else the built-in sample catalog")
      ->each([&source](const std::string&) { source.given = true; });
}

// For the commands that read the document through the library.
void AddLenient(CLI::App& command, Source& source) {
  command.add_flag("--lenient", source.lenient,
                   "Read a document that is not well-formed XML as the library does, with a warning");
}

void AddOutput(CLI::App& command, std::string& output) {
  command.add_option("-o,--output", output,
                     "Write here instead of standard output (replaced only when all went well)");
}

// The one line every failure ends with, control characters made visible.
int Report(const Failure& failure) {
  std::string line = "lombar: " + failure.subject + ": ";
  if (failure.number != 0) line += "error " + std::to_string(failure.number) + ": ";
  std::cerr << Visible(line + failure.description) << "\n";
  return kFailed;
}

// A usage error as a failure about the option or argument it names:
// "--stores: Value 0 not in range [1 - 99]", "The following argument was
// not expected: --bogus", "--providers is required".
Failure UsageFailure(const CLI::ParseError& error) {
  const std::string said = error.what();
  constexpr std::string_view kUnexpected = "not expected: ";
  if (const std::size_t unexpected = said.find(kUnexpected); unexpected != std::string::npos) {
    return FailureOf(said.substr(unexpected + kUnexpected.size()), kInvalidProcedureCall, said);
  }
  if (!said.starts_with("-")) return FailureOf("usage", kInvalidProcedureCall, said);
  const std::string option = said.substr(0, said.find_first_of(": "));
  const bool named_first = said.compare(option.size(), 2, ": ") == 0;
  return FailureOf(option, kInvalidProcedureCall, named_first ? said.substr(option.size() + 2) : said);
}

// The command given, for failures that concern no file or option.
std::string CommandName(const CLI::App& app) {
  const auto chosen = app.get_subcommands();
  return chosen.empty() ? "show" : chosen.front()->get_name();
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Looks at, checks, sorts, summarises and makes catalog documents.", "lombar"};
  app.set_version_flag("--version", VersionText());
  app.require_subcommand(0, 1);

  Source source;
  std::string output;

  auto* show = app.add_subcommand("show", "Report the vehicle, the providers and each store's items with their totals");
  AddSource(*show, source);
  std::string format = "text";
  show->add_option("--format", format, "text (for people) or json (for scripts)")
      ->check(CLI::IsMember({"text", "json"}))
      ->capture_default_str();

  AddLenient(*show, source);

  auto* sort = app.add_subcommand("sort", "Sort every store's items; write the document");
  AddSource(*sort, source);
  AddLenient(*sort, source);
  SortModes modes;
  sort->add_option("--aftermarket", modes.aftermarket,
                   "Sort mode of catalog items and labor, by number (0-8) or name (qCCISdscCostLoHi)")
      ->capture_default_str();
  sort->add_option("--noncatalog", modes.non_catalog, "Sort mode of non-catalog (stock) items")
      ->capture_default_str();
  AddOutput(*sort, output);

  auto* summarize = app.add_subcommand("summarize", "Drop the items nobody chose; write the document");
  AddSource(*summarize, source);
  AddLenient(*summarize, source);
  std::string store = "*ALL*";
  summarize->add_option("--store", store, "*ALL*, VWH or one store's directory")->capture_default_str();
  AddOutput(*summarize, output);

  auto* convert = app.add_subcommand("convert", "File an old-style item document into a catalog document");
  AddSource(*convert, source);
  AddLenient(*convert, source);
  std::string providers;
  convert->add_option("--providers", providers, "Provider collection or catalog document giving the providers")
      ->required();
  AddOutput(*convert, output);

  auto* check = app.add_subcommand(
      "check", "Read and write back the document; report whether the text was kept and is well-formed XML");
  AddSource(*check, source);
  AddLenient(*check, source);

  auto* pretty = app.add_subcommand("pretty", "The document indented, one element a line");
  AddSource(*pretty, source);
  AddOutput(*pretty, output);

  auto* sample = app.add_subcommand("sample", "Write a realistic catalog document");
  SampleOptions sample_options;
  sample->add_option("--items", sample_options.items,
                     "Items over all stores, shared evenly: 0 to " + std::to_string(kMostItemsPerStore) +
                         " times the stores")
      ->check(CLI::Range(0, kMostItemsPerStore * kMostStores))
      ->capture_default_str();
  sample->add_option("--stores", sample_options.stores, "Stores")->check(CLI::Range(1, kMostStores))->capture_default_str();
  sample->add_option("--seed", sample_options.seed, "The same seed gives the same document")
      ->capture_default_str();
  sample->add_option("--prices", sample_options.prices,
                     "Prices at each part, 1 to 3 (0: a varying number)")
      ->check(CLI::Range(0, 3))
      ->capture_default_str();
  AddOutput(*sample, output);

  try {
    try {
      app.parse(argc, argv);
    } catch (const CLI::Success& help_or_version) {
      app.exit(help_or_version);
      About("standard output", CloseStandardOutput);
      return 0;
    } catch (const CLI::ParseError& error) {
      throw UsageFailure(error);
    }
    int status = 0;
    if (*sort) status = Sort(source, modes, output);
    else if (*summarize) status = Summarize(source, store, output);
    else if (*convert) status = Convert(source, providers, output);
    else if (*check) status = Check(source);
    else if (*pretty) status = Pretty(source, output);
    else if (*sample) status = Sample(sample_options, output);
    else status = Show(source, format == "json" ? ReportFormat::kJson : ReportFormat::kText);
    About("standard output", CloseStandardOutput);
    return status;
  } catch (const Failure& failure) {
    return Report(failure);
  } catch (const std::bad_alloc&) {
    return Report(FailureOf(CommandName(app), kOutOfMemory));
  } catch (const std::exception& unexpected) {
    return Report(FailureOf(CommandName(app), kInternalError, unexpected.what()));
  }
}
