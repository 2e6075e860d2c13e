// The show command's report of a catalog: for people at a terminal, or as
// JSON for scripts.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "lombar/ICatalog.h"

namespace lombar::tool {

// The text with its control characters made visible, so that none reaches a
// terminal: C0 controls and DEL as "\x1b", C1 controls (UTF-8) as "\u009b".
std::string Visible(std::string_view text);

struct ReportStyle {
  bool colour = false;  // only when the output is a terminal
};

// The vehicle, the providers (the default one marked) and per store a table
// of its items with the four totals. The catalog's providers must be the
// thread's global ones, so that JOBBER names the default provider.
void WriteTextReport(const ICatalog& catalog, std::ostream& out, ReportStyle style);

// The same data as one JSON object: vehicle, providers, and stores (one
// object per store with its items and totals).
void WriteJsonReport(const ICatalog& catalog, std::ostream& out);

}  // namespace lombar::tool
