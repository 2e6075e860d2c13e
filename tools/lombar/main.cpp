// lombar: look at, check, sort, summarise and make catalog documents from
// the command line.
#include <iostream>
#include <new>

#include "CommandLine.h"
#include "Commands.h"
#include "Documents.h"
#include "Manuals.h"
#include "Report.h"

namespace {

using namespace lombar;
using namespace lombar::tool;

constexpr int kFailed = 2;

// The one line every failure ends with, control characters made visible.
int Report(const Failure& failure) {
  std::string line = "lombar: " + failure.subject + ": ";
  if (failure.number != 0) line += "error " + std::to_string(failure.number) + ": ";
  std::cerr << Visible(line + failure.description) << "\n";
  return kFailed;
}

int Run(const CommandLine& command_line) {
  const Arguments& chosen = command_line.Chosen();
  const CLI::App& app = command_line.App();
  const auto given = [&app](const char* name) { return app.got_subcommand(name); };
  if (chosen.bash_completion || chosen.manual_page) {
    std::cout << (chosen.bash_completion ? BashCompletion(command_line) : ManualPage(command_line));
    return 0;
  }
  if (given("sort")) return Sort(chosen.source, chosen.modes, chosen.output);
  if (given("summarize")) return Summarize(chosen.source, chosen.store, chosen.output);
  if (given("convert")) return Convert(chosen.source, chosen.providers, chosen.output);
  if (given("check")) return Check(chosen.source);
  if (given("pretty")) return Pretty(chosen.source, chosen.output);
  if (given("sample")) return Sample(chosen.sample, chosen.output);
  return Show(chosen.source, chosen.format == "json" ? ReportFormat::kJson : ReportFormat::kText);
}

}  // namespace

int main(int argc, char** argv) {
  CommandLine command_line;
  try {
    const int status = command_line.Parse(argc, argv) ? 0 : Run(command_line);
    About("standard output", CloseStandardOutput);
    return status;
  } catch (const Failure& failure) {
    return Report(failure);
  } catch (const std::bad_alloc&) {
    return Report(FailureOf(command_line.CommandName(), kOutOfMemory));
  } catch (const std::exception& unexpected) {
    return Report(FailureOf(command_line.CommandName(), kInternalError, unexpected.what()));
  }
}
