// lombar: look at, check, sort, summarise and make catalog documents from
// the command line.
#include <CLI/CLI.hpp>

#include <iostream>

#include "Commands.h"

namespace {

using namespace lombar::tool;

constexpr int kFailed = 2;

// Adds the optional document argument every reading subcommand takes.
void AddSource(CLI::App& command, Source& source) {
  command
      .add_option("FILE", source.path,
                  "Catalog document; - for standard input. Without it: standard input when "
                  "something is piped in, else the built-in sample catalog")
      ->each([&source](const std::string&) { source.given = true; });
}

void AddOutput(CLI::App& command, std::string& output) {
  command.add_option("-o,--output", output,
                     "Write here instead of standard output (replaced only when all went well)");
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
  ReportFormat format = ReportFormat::kText;
  show->add_option("--format", format, "text (for people) or json (for scripts)")
      ->transform(CLI::CheckedTransformer(
          std::map<std::string, ReportFormat>{{"text", ReportFormat::kText}, {"json", ReportFormat::kJson}}));

  auto* sort = app.add_subcommand("sort", "Sort every store's items; write the document");
  AddSource(*sort, source);
  SortModes modes;
  sort->add_option("--aftermarket", modes.aftermarket,
                   "Sort mode of catalog items and labor, by number (0-8) or name (qCCISdscCostLoHi)")
      ->capture_default_str();
  sort->add_option("--noncatalog", modes.non_catalog, "Sort mode of non-catalog (stock) items")
      ->capture_default_str();
  AddOutput(*sort, output);

  auto* summarize = app.add_subcommand("summarize", "Drop the items nobody chose; write the document");
  AddSource(*summarize, source);
  std::string store = "*ALL*";
  summarize->add_option("--store", store, "*ALL*, VWH or one store's directory")->capture_default_str();
  AddOutput(*summarize, output);

  auto* convert = app.add_subcommand("convert", "File an old-style item document into a catalog document");
  AddSource(*convert, source);
  std::string providers;
  convert->add_option("--providers", providers, "Provider collection or catalog document giving the providers")
      ->required();
  AddOutput(*convert, output);

  auto* check = app.add_subcommand(
      "check", "Read and write back the document; report whether the text was kept and is well-formed XML");
  AddSource(*check, source);

  auto* pretty = app.add_subcommand("pretty", "The document indented, one element a line");
  AddSource(*pretty, source);
  AddOutput(*pretty, output);

  auto* sample = app.add_subcommand("sample", "Write a realistic catalog document");
  SampleOptions sample_options;
  sample->add_option("--items", sample_options.items, "Items over all stores")
      ->check(CLI::Range(0, 99999))
      ->capture_default_str();
  sample->add_option("--stores", sample_options.stores, "Stores")->check(CLI::Range(1, 99))->capture_default_str();
  sample->add_option("--seed", sample_options.seed, "The same seed gives the same document")
      ->capture_default_str();
  sample->add_option("--prices", sample_options.prices,
                     "Prices at each part, 1 to 3 (0: a varying number)")
      ->check(CLI::Range(0, 3))
      ->capture_default_str();
  AddOutput(*sample, output);

  CLI11_PARSE(app, argc, argv);
  try {
    if (*sort) return Sort(source, modes, output);
    if (*summarize) return Summarize(source, store, output);
    if (*convert) return Convert(source, providers, output);
    if (*check) return Check(source);
    if (*pretty) return Pretty(source, output);
    if (*sample) return Sample(sample_options, output);
    return Show(source, format);
  } catch (const Failure& failure) {
    std::cerr << "lombar: " << failure.subject << ": ";
    if (failure.number != 0) std::cerr << "error " << failure.number << ": ";
    std::cerr << failure.description << "\n";
    return kFailed;
  }
}
