// The tool's bash completion and manual page, made from its option
// definitions so that neither can drift from what the tool takes.
#pragma once

#include <string>

#include "CommandLine.h"

namespace lombar::tool {

// A bash script defining the completion of lombar's commands, options,
// option values and files (`complete -F _lombar lombar`).
std::string BashCompletion(const CommandLine& command_line);

// lombar(1) in the man macros.
std::string ManualPage(const CommandLine& command_line);

}  // namespace lombar::tool
