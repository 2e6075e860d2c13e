#include "Report.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace lombar::tool {
namespace {

// One row of a store's table, in the order the columns are shown.
struct ItemRow {
  Long kind;  // ItemType
  std::string line_code, part_number, description, status;
  Variant available, to_order, jobber_cost;  // Empty for labor and comments
};

struct StoreTotals {
  Currency total_count, total_cost, selected_count, selected_cost;
};

std::string Text(const Variant& value) {
  return value.IsNull() ? std::string() : value.ToText();
}

// An amount of money with at least two decimals ("3.10"), up to the four
// that currency keeps; other values as their text.
std::string Money(const Variant& value) {
  if (!value.IsNumeric()) return Text(value);
  const std::int64_t units = value.ToCurrency().units;
  const std::uint64_t magnitude = units < 0 ? 0 - static_cast<std::uint64_t>(units)
                                            : static_cast<std::uint64_t>(units);
  std::string fraction = std::to_string(magnitude % 10000 + 10000).substr(1);
  while (fraction.size() > 2 && fraction.back() == '0') fraction.pop_back();
  return (units < 0 ? "-" : "") + std::to_string(magnitude / 10000) + "." + fraction;
}

ItemRow RowOf(const ICatItem& item) {
  const bool part = item.ItemType() == qcit_Part;
  std::string description(item.Description());
  if (item.ItemType() == qcit_Comment && !item.Comment().empty()) description = item.Comment();
  return {item.ItemType(),
          std::string(item.LineCode()),
          std::string(item.ItemNumber()),
          description,
          Text(item.ItemStatus()),
          part ? item.QuantityAvailable() : Variant(),
          part ? item.QuantityToOrder() : Variant(),
          part ? item.JobberCost() : Variant()};
}

std::vector<ItemRow> RowsOf(const ICatItemCol& items) {
  std::vector<ItemRow> rows;
  rows.reserve(static_cast<std::size_t>(items.Count()));
  for (const auto& item : items.Members()) rows.push_back(RowOf(*item));
  return rows;
}

StoreTotals TotalsOf(const ICatItemCol& items) {
  return {items.ItemsTotalCount(), items.ItemsTotalCost(), items.ItemsSelectedCount(),
          items.ItemsSelectedCost()};
}

// ---- text ----

// Characters, not bytes: UTF-8 continuation bytes do not count.
std::size_t Width(std::string_view text) {
  std::size_t width = 0;
  for (const char c : text) width += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return width;
}

// The text cut to `width` characters, the last one an ellipsis when cut.
std::string Cut(std::string_view text, std::size_t width) {
  if (Width(text) <= width) return std::string(text);
  std::string cut;
  std::size_t kept = 0;
  for (const char c : text) {
    const bool starts_character = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (starts_character && ++kept > width - 1) break;
    cut += c;
  }
  return cut + "\u2026";
}

struct Column {
  std::string_view heading;
  std::size_t max_width;
  bool right;
};
constexpr Column kColumns[] = {{"Line", 5, false},        {"Part number", 16, false},
                               {"Description", 32, false}, {"Status", 12, false},
                               {"Avail", 6, true},         {"Order", 6, true},
                               {"Jobber cost", 12, true}};
constexpr std::size_t kColumnCount = std::size(kColumns);

std::vector<std::string> CellsOf(const ItemRow& row) {
  return {Visible(row.line_code),   Visible(row.part_number), Visible(row.description),
          Visible(row.status),      Text(row.available),      Text(row.to_order),
          Money(row.jobber_cost)};
}

class TextReport {
 public:
  TextReport(std::ostream& out, ReportStyle style) : out_(out), style_(style) {}

  void Vehicle(const ICatVehicle& vehicle) {
    out_ << Bold("Vehicle") << "  " << WithoutTrailingBlanks(Visible(vehicle.Description()));
    if (!vehicle.VIN().empty()) out_ << "  VIN " << Visible(vehicle.VIN());
    if (!vehicle.CurrentMileage().empty()) out_ << "  " << Visible(vehicle.CurrentMileage()) << " mi";
    out_ << "\n";
  }

  void Providers(const ICatProviderCol& providers) {
    out_ << Bold("Providers") << "\n";
    for (const auto& provider : providers.Members()) {
      const std::string line = (provider->Default() ? "  * " : "    ") + Pad(Visible(provider->MCLdir()), 6) +
                               Pad(Visible(std::string(provider->Name()) + ", " + std::string(provider->Location())), 40) +
                               "seller " + Pad(Visible(provider->SellerID()), 8) +
                               Visible(provider->LocationType());
      out_ << WithoutTrailingBlanks(line);
      if (provider->Default()) out_ << "  " << Accent("(default)");
      out_ << "\n";
    }
    if (providers.Count() == 0) out_ << "    (none)\n";
  }

  void Store(const ICatStore& store) {
    const auto items = store.Items();
    out_ << Bold("Store " + Visible(store.MCLdir())) << "  " << items->Count()
         << (items->Count() == 1 ? " item" : " items") << "\n";
    const std::vector<ItemRow> rows = RowsOf(*items);
    std::vector<std::size_t> widths(kColumnCount);
    for (std::size_t c = 0; c < kColumnCount; ++c) widths[c] = Width(kColumns[c].heading);
    for (const ItemRow& row : rows) {
      const auto cells = CellsOf(row);
      for (std::size_t c = 0; c < kColumnCount; ++c) {
        widths[c] = std::max(widths[c], std::min(Width(cells[c]), kColumns[c].max_width));
      }
    }
    std::vector<std::string> headings;
    for (const Column& column : kColumns) headings.emplace_back(column.heading);
    out_ << Bold(Line(headings, widths)) << "\n";
    for (const ItemRow& row : rows) out_ << Line(CellsOf(row), widths) << "\n";
    const StoreTotals totals = TotalsOf(*items);
    out_ << "  Available " << Variant(totals.total_count).ToText() << " for "
         << Money(Variant(totals.total_cost)) << "; selected "
         << Variant(totals.selected_count).ToText() << " for "
         << Money(Variant(totals.selected_cost)) << "\n";
  }

 private:
  std::string Line(const std::vector<std::string>& cells, const std::vector<std::size_t>& widths) {
    std::string line = " ";
    for (std::size_t c = 0; c < kColumnCount; ++c) {
      const std::string cell = Cut(cells[c], widths[c]);
      const std::string padding(widths[c] - Width(cell), ' ');
      line += ' ';
      line += kColumns[c].right ? padding + cell : cell + padding;
    }
    return WithoutTrailingBlanks(line);
  }
  static std::string WithoutTrailingBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return std::string(text);
  }
  static std::string Pad(std::string_view text, std::size_t width) {
    std::string padded = Cut(text, width - 1);
    padded.append(width - Width(padded), ' ');
    return padded;
  }
  std::string Bold(std::string_view text) const { return Styled(text, "\x1b[1m"); }
  std::string Accent(std::string_view text) const { return Styled(text, "\x1b[32m"); }
  std::string Styled(std::string_view text, std::string_view code) const {
    if (!style_.colour) return std::string(text);
    return std::string(code) + std::string(text) + "\x1b[0m";
  }

  std::ostream& out_;
  ReportStyle style_;
};

// ---- JSON ----

using Json = nlohmann::ordered_json;

// Money and other amounts as JSON numbers; Empty as null; a value that is
// no number as its text.
Json NumberJson(const Variant& value) {
  if (value.IsEmpty()) return nullptr;
  if (value.IsNumeric()) return value.ToDouble();
  return Text(value);
}

// A count as a JSON integer when it is whole (6, not 6.0).
Json CountJson(const Variant& value) {
  Json number = NumberJson(value);
  constexpr double kExactIntegers = 9007199254740992.0;  // 2^53
  if (number.is_number_float()) {
    const double count = number.get<double>();
    if (std::trunc(count) == count && std::fabs(count) < kExactIntegers) number = static_cast<std::int64_t>(count);
  }
  return number;
}

// A text that holds a whole number (a year, a mileage) as that number; any
// other text as it is.
Json WholeNumberJson(std::string_view text) {
  std::int64_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (!text.empty() && error == std::errc() && end == text.data() + text.size()) return number;
  return text;
}

std::string_view KindOf(Long item_type) {
  switch (item_type) {
    case qcit_Part: return "part";
    case qcit_Labor: return "labor";
    case qcit_Comment: return "comment";
    default: return {};
  }
}

Json VehicleJson(const ICatVehicle& vehicle) {
  // Year and mileage as numbers, left out when not given (as the text report leaves the mileage out).
  Json json = {{"description", vehicle.Description()}};
  if (!vehicle.Year().empty()) json["year"] = WholeNumberJson(vehicle.Year());
  json.update({{"make", vehicle.Make()}, {"model", vehicle.Model()}, {"engine", vehicle.Engine()},
               {"vin", vehicle.VIN()}});
  if (!vehicle.CurrentMileage().empty()) json["mileage"] = WholeNumberJson(vehicle.CurrentMileage());
  return json;
}

Json ProviderJson(const ICatProvider& provider) {
  return {{"directory", provider.MCLdir()},   {"name", provider.Name()},
          {"location", provider.Location()},  {"seller", provider.SellerID()},
          {"type", provider.LocationType()},  {"default", provider.Default()}};
}

// Every field of a part; of labor and comments the description and the
// texts they have, no quantities or cost. An item type the library does not
// name keeps its number as the kind ("7").
Json ItemJson(const ItemRow& row) {
  const std::string_view kind = KindOf(row.kind);
  const bool part = row.kind == qcit_Part;
  Json item = {{"kind", kind.empty() ? std::to_string(row.kind) : std::string(kind)}};
  const auto text = [&](const char* name, const std::string& value) {
    if (part || !value.empty()) item[name] = value;
  };
  text("line_code", row.line_code);
  text("part_number", row.part_number);
  item["description"] = row.description;
  text("status", row.status);
  if (part) {
    item["available"] = CountJson(row.available);
    item["to_order"] = CountJson(row.to_order);
    item["jobber_cost"] = NumberJson(row.jobber_cost);
  }
  return item;
}

Json StoreJson(const ICatStore& store) {
  Json items = Json::array();
  for (const ItemRow& row : RowsOf(*store.Items())) items.push_back(ItemJson(row));
  const StoreTotals totals = TotalsOf(*store.Items());
  return {{"directory", store.MCLdir()},
          {"items", std::move(items)},
          {"totals",
           {{"available", CountJson(Variant(totals.total_count))},
            {"available_cost", NumberJson(Variant(totals.total_cost))},
            {"selected", CountJson(Variant(totals.selected_count))},
            {"selected_cost", NumberJson(Variant(totals.selected_cost))}}}};
}

}  // namespace

std::string Visible(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const auto next = static_cast<unsigned char>(i + 1 < text.size() ? text[i + 1] : 0);
    char escape[8];
    if (byte < 0x20 || byte == 0x7F) {
      std::snprintf(escape, sizeof escape, "\\x%02x", byte);
    } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
      std::snprintf(escape, sizeof escape, "\\u%04x", next);
      ++i;
    } else {
      shown += text[i];
      continue;
    }
    shown += escape;
  }
  return shown;
}

void WriteTextReport(const ICatalog& catalog, std::ostream& out, ReportStyle style) {
  TextReport report(out, style);
  // A blank line between the parts, none at the end: `tail` shows the last store's totals.
  report.Vehicle(*catalog.Vehicle());
  out << "\n";
  report.Providers(*catalog.Providers());
  for (const auto& store : catalog.Stores()->Members()) {
    out << "\n";
    report.Store(*store);
  }
}

void WriteJsonReport(const ICatalog& catalog, std::ostream& out) {
  Json providers = Json::array();
  for (const auto& provider : catalog.Providers()->Members()) providers.push_back(ProviderJson(*provider));
  Json stores = Json::array();
  for (const auto& store : catalog.Stores()->Members()) stores.push_back(StoreJson(*store));
  const Json report = {{"vehicle", VehicleJson(*catalog.Vehicle())},
                                         {"providers", std::move(providers)},
                                         {"stores", std::move(stores)}};
  out << report.dump(2) << "\n";
}

}  // namespace lombar::tool
