// The tool's commands and options, each defined once with CLI11: the help,
// the bash completion and the manual page are all made from these
// definitions.
#pragma once

#include <CLI/CLI.hpp>

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Catalogs.h"
#include "Commands.h"

namespace lombar::tool {

// What the arguments chose.
struct Arguments {
  Source source;
  std::string output;
  std::string format = "text";
  SortModes modes;
  std::string store = "*ALL*";
  std::string providers;
  SampleOptions sample;
  bool bash_completion = false;  // hidden: print the completion script
  bool manual_page = false;      // hidden: print lombar(1)
};

// A part of the tool's description that concerns every command: the end of
// `lombar --help`, and a section of the manual page.
struct Topic {
  std::string_view heading, text;
};

class CommandLine {
 public:
  CommandLine();
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;

  // Parses the arguments into Chosen(). Help and version are written here and
  // give true; a usage error is thrown as a failure (error 5) about the
  // option or argument it names.
  bool Parse(int argc, char** argv);

  const Arguments& Chosen() const { return arguments_; }
  const CLI::App& App() const { return app_; }
  // The command given, "show" when none.
  std::string CommandName() const;

  // The words an option's value is one of, in any letter case; empty when
  // it may be anything.
  const std::vector<std::string>& WordsOf(const CLI::Option& option) const;
  static bool TakesFile(const CLI::Option& option);
  // Options a user gives: neither hidden nor the positional FILE.
  static std::vector<const CLI::Option*> NamedOptions(const CLI::App& command);
  static std::span<const Topic> Topics();

 private:
  CLI::Option* WithWords(CLI::Option* option, std::vector<std::string> words);
  void AddSource(CLI::App& command, std::string_view what);
  void AddLenient(CLI::App& command);
  void AddOutput(CLI::App& command);

  CLI::App app_;
  Arguments arguments_;
  std::map<const CLI::Option*, std::vector<std::string>> words_;
};

}  // namespace lombar::tool
