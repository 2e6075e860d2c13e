#include "Manuals.h"

#include <cctype>

namespace lombar::tool {
namespace {

std::vector<const CLI::App*> CommandsOf(const CLI::App& app) {
  return app.get_subcommands([](const CLI::App*) { return true; });
}

const CLI::Option* FileArgument(const CLI::App& command) {
  const auto files = command.get_options([](const CLI::Option* option) { return option->get_positional(); });
  return files.empty() ? nullptr : files.front();
}

std::string Joined(const std::vector<std::string>& words, std::string_view separator) {
  std::string joined;
  for (const std::string& word : words) joined += (joined.empty() ? "" : std::string(separator)) + word;
  return joined;
}

// Flags take none.
bool TakesValue(const CLI::Option& option) { return option.get_expected_max() != 0; }

// The names of an option as typed: {"-o", "--output"}.
std::vector<std::string> TypedNames(const CLI::Option& option) {
  std::vector<std::string> names;
  for (const std::string& name : option.get_snames()) names.push_back("-" + name);
  for (const std::string& name : option.get_lnames()) names.push_back("--" + name);
  return names;
}

// ---- bash completion ----

constexpr std::string_view kCompletionStart = R"(# bash completion of lombar, written by `lombar --bash-completion` from the
# tool's own option definitions.
_lombar_words() { mapfile -t COMPREPLY < <(compgen -W "$1" -- "$2"); }
_lombar_files() { compopt -o filenames 2>/dev/null; mapfile -t COMPREPLY < <(compgen -f -- "$1"); }
_lombar() {
  local current=${COMP_WORDS[COMP_CWORD]} previous=${COMP_WORDS[COMP_CWORD-1]} command= word
  # --option=value arrives as three words: the option, = and the value.
  if [[ $current == = ]]; then current=; elif [[ $previous == = ]]; then previous=${COMP_WORDS[COMP_CWORD-2]}; fi
  for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
    case $word in
)";

constexpr std::string_view kCompletionEnd = R"(  esac
}
complete -F _lombar lombar
)";

// What a command (or the tool itself, `name` empty) completes: the values of
// its options after them, else its options, files or the commands.
std::string CompletionOf(const CommandLine& command_line, const CLI::App& command, std::string_view name,
                         std::string_view otherwise) {
  std::string options, values;
  for (const CLI::Option* option : CommandLine::NamedOptions(command)) {
    const std::string names = Joined(TypedNames(*option), "|");
    options += (options.empty() ? "" : " ") + Joined(TypedNames(*option), " ");
    if (!TakesValue(*option)) continue;
    const auto& words = command_line.WordsOf(*option);
    const std::string reply = CommandLine::TakesFile(*option) ? "_lombar_files \"$current\"; "
                              : words.empty()                 ? ""
                                              : "_lombar_words '" + Joined(words, " ") + "' \"$current\"; ";
    values += "        " + names + ") " + reply + "return ;;\n";
  }
  std::string completion = "    " + std::string(name.empty() ? "''" : name) + ")\n";
  if (!values.empty()) completion += "      case $previous in\n" + values + "      esac\n";
  return completion + "      if [[ $current == -* ]]; then _lombar_words '" + options + "' \"$current\"; else " +
         std::string(otherwise) + "; fi ;;\n";
}

// ---- manual page ----

// Text for the man macros: backslashes escaped, the dashes of options as
// minus signs, and no line taken for a request.
std::string Roff(std::string_view text) {
  std::string roff;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool option_dash = text[i] == '-' && (i == 0 || text[i - 1] == ' ' || text[i - 1] == '-' ||
                                                text[i - 1] == '[' || text[i - 1] == '|');
    if (text[i] == '\\') roff += "\\e";
    else if (option_dash) roff += "\\-";
    else roff += text[i];
  }
  if (roff.starts_with('.') || roff.starts_with('\'')) roff.insert(0, "\\&");
  return roff;
}

std::string Bold(std::string_view text) { return "\\fB" + Roff(text) + "\\fR"; }
std::string Italic(std::string_view text) { return "\\fI" + Roff(text) + "\\fR"; }

std::string Uppercase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

// "-o, --output FILE", as the options' list of a manual shows it.
std::string OptionTerm(const CLI::Option& option) {
  if (option.get_positional()) return Italic(option.get_name());
  std::string term;
  for (const std::string& name : TypedNames(option)) term += (term.empty() ? "" : ", ") + Bold(name);
  if (TakesValue(option)) term += " " + Italic(option.get_option_text());
  return term;
}

// The command's options and FILE; the tool's own help option only at the tool.
std::string OptionsList(const CLI::App& command) {
  std::string list;
  const auto options = command.get_options([&command](const CLI::Option* option) {
    return !option->get_group().empty() && (!command.get_parent() || option != command.get_help_ptr());
  });
  for (const CLI::Option* option : options) {
    list += ".TP\n" + OptionTerm(*option) + "\n" + Roff(option->get_description()) + "\n";
  }
  return list;
}

// "lombar convert --providers FILE [OPTIONS] [FILE]"
std::string Synopsis(const CLI::App& command) {
  std::string line = Bold("lombar " + command.get_name());
  for (const CLI::Option* option : CommandLine::NamedOptions(command)) {
    if (option->get_required()) line += " " + OptionTerm(*option);
  }
  line += " [" + Italic("OPTIONS") + "]";
  if (FileArgument(command)) line += " [" + Italic("FILE") + "]";
  return line + "\n";
}

}  // namespace

std::string BashCompletion(const CommandLine& command_line) {
  const CLI::App& app = command_line.App();
  std::vector<std::string> names;
  for (const CLI::App* command : CommandsOf(app)) names.push_back(command->get_name());
  std::string script(kCompletionStart);
  script += "      " + Joined(names, "|") + ") command=$word; break ;;\n" +
            "      -*) ;;\n      *) break ;;\n    esac\n  done\n  COMPREPLY=()\n  case $command in\n";
  script += CompletionOf(command_line, app, "", "_lombar_words '" + Joined(names, " ") + "' \"$current\"");
  for (const CLI::App* command : CommandsOf(app)) {
    const std::string otherwise = FileArgument(*command) ? "_lombar_files \"$current\"" : "COMPREPLY=()";
    script += CompletionOf(command_line, *command, command->get_name(), otherwise);
  }
  return script + std::string(kCompletionEnd);
}

std::string ManualPage(const CommandLine& command_line) {
  const CLI::App& app = command_line.App();
  std::string summary = app.get_description();
  if (summary.ends_with('.')) summary.pop_back();
  summary[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(summary[0])));

  std::string page = ".TH LOMBAR 1 \"\" \"" + Roff(VersionText()) + "\" \"User Commands\"\n";
  page += ".SH NAME\nlombar \\- " + Roff(summary) + "\n";
  page += ".SH SYNOPSIS\n.nf\n" + Bold("lombar") + " [" + Italic("OPTIONS") + "]\n";
  for (const CLI::App* command : CommandsOf(app)) page += Synopsis(*command);
  page += ".fi\n.SH DESCRIPTION\n" + Roff(app.get_description()) + " Without a command, " + Bold("show") +
          " reports the document.\n";
  page += ".SH OPTIONS\n" + OptionsList(app);
  page += ".SH COMMANDS\n";
  for (const CLI::App* command : CommandsOf(app)) {
    page += ".SS " + command->get_name() + "\n" + Roff(command->get_description()) + ".\n" + OptionsList(*command);
    if (const std::string footer = command->get_footer(); !footer.empty()) {
      page += ".PP\n.nf\n";
      for (std::size_t start = footer.find_first_not_of('\n'); start < footer.size();) {
        const std::size_t end = footer.find('\n', start);
        page += Roff(footer.substr(start, end - start)) + "\n";
        start = end == std::string::npos ? end : end + 1;
      }
      page += ".fi\n";
    }
  }
  for (const Topic& topic : CommandLine::Topics()) page += ".SH " + Uppercase(topic.heading) + "\n" + Roff(topic.text) + "\n";
  return page;
}

}  // namespace lombar::tool
