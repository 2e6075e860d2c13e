#include "CommandLine.h"

#include <array>

namespace lombar::tool {
namespace {

constexpr int kMostStores = 99;
constexpr std::size_t kHelpWidth = 80;

constexpr std::array kTopics = {
    Topic{"Documents",
          "FILE is a catalog document, the text of ICatalog.XML; - is standard input. Without FILE a "
          "command reads standard input when it is not a terminal, else the built-in sample catalog. A "
          "document must be well-formed XML, nested at most 256 elements deep, or it is refused; "
          "--lenient reads it anyway, as the library does, with a warning. A command that writes a "
          "document writes it to standard output, or with -o to a file that is replaced only when "
          "everything went well."},
    Topic{"Exit status",
          "0 when all went well; 1 when check finds the text changed by the round trip or not "
          "well-formed; 2 on bad input, a failed write or a usage error, after one line on standard "
          "error: \"lombar: FILE or OPTION: error N: DESCRIPTION\"."},
    Topic{"Environment",
          "NO_COLOR, when set, keeps show from colouring a terminal's report. LOMBAR_CODEPAGE=28591 "
          "holds texts in Latin-1 in place of code page 1252. LOMBAR_LOG_DIR is the folder of the "
          "library's diagnostic logs."}};

// The text in lines of at most `width` characters, each after `indent`.
std::string Wrapped(std::string_view text, std::size_t width, std::string_view indent) {
  std::string wrapped, line;
  const auto flush = [&] {
    wrapped += std::string(indent) + line + "\n";
    line.clear();
  };
  while (!text.empty()) {
    const std::size_t end = std::min(text.find(' '), text.size());
    const std::string_view word = text.substr(0, end);
    if (!line.empty() && indent.size() + line.size() + 1 + word.size() > width) flush();
    line += (line.empty() ? "" : " ") + std::string(word);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  if (!line.empty()) flush();
  return wrapped;
}

std::string HelpFooter() {
  std::string footer;
  for (const Topic& topic : kTopics) {
    footer += (footer.empty() ? "" : "\n") + std::string(topic.heading) + ":\n" + Wrapped(topic.text, kHelpWidth, "  ");
  }
  return footer;
}

std::string SortModesHelp() {
  std::string help = "Sort modes, by number or by name in any letter case:\n";
  for (const NamedSortMode& mode : SortModeNames()) help += "  " + std::to_string(mode.number) + "  " + mode.name + "\n";
  return help;
}

// The value's name in the help and in messages (FILE, N, MODE...) in place
// of CLI11's type, its default said in the description.
CLI::Option* Value(CLI::Option* option, const std::string& name) {
  option->option_text(name)->type_name(name);
  if (const std::string value = option->get_default_str(); !value.empty()) {
    option->description(option->get_description() + " (default " + value + ")");
  }
  return option;
}

// A range a value must be in; the help and messages name the value alone.
CLI::Validator Within(int least, int most) { return CLI::Range(least, most).description(""); }

// For unsigned values, which CLI11 would take "-1" for the largest of.
CLI::Validator NotNegative() {
  return {[](const std::string& value) { return value.starts_with('-') ? "Value " + value + " is negative" : ""; },
          ""};
}

// A usage error as a failure about the option or argument it names:
// "--stores: Value 0 not in range [1 - 99]", "The following argument was
// not expected: --bogus", "--providers is required". CLI11 lists the
// unexpected arguments last to first.
Failure UsageFailure(const CLI::ParseError& error) {
  const std::string said = error.what();
  if (const std::size_t unexpected = said.find("not expected: "); unexpected != std::string::npos) {
    return FailureOf(said.substr(said.find_last_of(' ') + 1), kInvalidProcedureCall, said);
  }
  if (!said.starts_with("-")) return FailureOf("usage", kInvalidProcedureCall, said);
  const std::string option = said.substr(0, said.find_first_of(": "));
  const bool named_first = said.compare(option.size(), 2, ": ") == 0;
  return FailureOf(option, kInvalidProcedureCall, named_first ? said.substr(option.size() + 2) : said);
}

}  // namespace

CommandLine::CommandLine() : app_("Looks at, checks, sorts, summarises and makes catalog documents.", "lombar") {
  app_.set_version_flag("--version", VersionText());
  app_.require_subcommand(0, 1);
  // Hidden (no group): the build writes the completion and the manual page with them.
  app_.add_flag("--bash-completion", arguments_.bash_completion)->group("");
  app_.add_flag("--manual-page", arguments_.manual_page)->group("");

  auto* show = app_.add_subcommand("show", "Report the vehicle, the providers and each store's items with their totals");
  AddSource(*show, "Catalog document");
  WithWords(show->add_option("--format", arguments_.format,
                             "For people, or for scripts: one JSON object (default text)"),
            {"text", "json"});
  AddLenient(*show);

  auto* sort = app_.add_subcommand("sort", "Sort every store's items; write the document");
  AddSource(*sort, "Catalog document");
  AddLenient(*sort);
  std::vector<std::string> mode_names;
  for (const NamedSortMode& mode : SortModeNames()) mode_names.push_back(mode.name);
  const auto add_mode = [&](std::string name, std::string& mode, std::string description) {
    words_[Value(sort->add_option(name, mode, description)->capture_default_str(), "MODE")] = mode_names;
  };
  add_mode("--aftermarket", arguments_.modes.aftermarket, "Sort mode of catalog items and labor");
  add_mode("--noncatalog", arguments_.modes.non_catalog, "Sort mode of non-catalog (stock) items");
  AddOutput(*sort);
  sort->footer(SortModesHelp());

  auto* summarize = app_.add_subcommand("summarize", "Drop the items nobody chose; write the document");
  AddSource(*summarize, "Catalog document");
  AddLenient(*summarize);
  Value(summarize->add_option("--store", arguments_.store, "*ALL*, VWH or one store's directory")->capture_default_str(),
        "DIR");
  AddOutput(*summarize);

  auto* convert = app_.add_subcommand("convert", "File an old-style item document into a catalog document");
  AddSource(*convert, "Old-style item document (an <Items> collection) to file into the default provider's store");
  AddLenient(*convert);
  Value(convert->add_option("--providers", arguments_.providers,
                            "Provider collection or catalog document giving the providers")
            ->required(),
        "FILE");
  AddOutput(*convert);

  auto* check = app_.add_subcommand(
      "check", "Read and write back the document; report whether the text was kept and is well-formed XML");
  AddSource(*check, "Catalog document");
  AddLenient(*check);

  auto* pretty = app_.add_subcommand("pretty", "The document indented, one element a line");
  AddSource(*pretty, "XML document, a catalog's or any other");
  AddOutput(*pretty);

  auto* sample = app_.add_subcommand("sample", "Write a realistic catalog document");
  SampleOptions& options = arguments_.sample;
  Value(sample->add_option("--items", options.items,
                           "Items over all stores, shared evenly: 0 to " + std::to_string(kMostItemsPerStore) +
                               " times the stores")
            ->check(Within(0, kMostItemsPerStore * kMostStores))
            ->capture_default_str(),
        "N");
  Value(sample->add_option("--stores", options.stores, "Stores, 1 to " + std::to_string(kMostStores))
            ->check(Within(1, kMostStores))
            ->capture_default_str(),
        "N");
  Value(sample->add_option("--seed", options.seed, "The same seed gives the same document")
            ->check(NotNegative())
            ->capture_default_str(),
        "S");
  Value(sample->add_option("--prices", options.prices, "Prices at each part, 1 to 3, or 0 for a varying number")
            ->check(Within(0, 3))
            ->capture_default_str(),
        "N");
  AddOutput(*sample);
  // Last: a command takes the footer its parent has when it is added.
  app_.footer(HelpFooter());
}

// Adds the optional document argument every reading command takes.
void CommandLine::AddSource(CLI::App& command, std::string_view what) {
  Source& source = arguments_.source;
  command
      .add_option("FILE", source.path,
                  std::string(what) +
                      "; - for standard input. Without it: standard input when it is not a terminal, else "
                      "the built-in sample catalog")
      ->each([&source](const std::string&) { source.given = true; })
      ->type_name("");
}

// For the commands that read the document through the library.
void CommandLine::AddLenient(CLI::App& command) {
  command.add_flag("--lenient", arguments_.source.lenient,
                   "Read a document that is not well-formed XML as the library does, with a warning");
}

void CommandLine::AddOutput(CLI::App& command) {
  Value(command.add_option("-o,--output", arguments_.output,
                           "Write here instead of standard output (replaced only when all went well)"),
        "FILE");
}

// The option takes one of the words in any letter case; the help names them.
CLI::Option* CommandLine::WithWords(CLI::Option* option, std::vector<std::string> words) {
  option->transform(CLI::IsMember(words, CLI::ignore_case).description(""));
  std::string shown;
  for (const std::string& word : words) shown += (shown.empty() ? "" : "|") + word;
  option->option_text(shown)->type_name(shown);
  words_[option] = std::move(words);
  return option;
}

bool CommandLine::Parse(int argc, char** argv) {
  try {
    app_.parse(argc, argv);
    return false;
  } catch (const CLI::Success& help_or_version) {
    app_.exit(help_or_version);
    return true;
  } catch (const CLI::ParseError& error) {
    throw UsageFailure(error);
  }
}

std::string CommandLine::CommandName() const {
  const auto chosen = app_.get_subcommands();
  return chosen.empty() ? "show" : chosen.front()->get_name();
}

const std::vector<std::string>& CommandLine::WordsOf(const CLI::Option& option) const {
  static const std::vector<std::string> kAny;
  const auto found = words_.find(&option);
  return found == words_.end() ? kAny : found->second;
}

bool CommandLine::TakesFile(const CLI::Option& option) {
  return option.get_option_text() == "FILE" || (option.get_positional() && option.get_name() == "FILE");
}

std::vector<const CLI::Option*> CommandLine::NamedOptions(const CLI::App& command) {
  return command.get_options([](const CLI::Option* option) {
    return option->nonpositional() && !option->get_group().empty();
  });
}

std::span<const Topic> CommandLine::Topics() { return kTopics; }

}  // namespace lombar::tool
