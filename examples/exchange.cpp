// One host builds a catalog with a store and two priced parts and writes its
// XML; another reads that XML into a new catalog. Then a mistake, and the
// error it raises. Public headers only; links the library file.
#include <iostream>
#include <string>

#include "lombar/lombar.hpp"

namespace {

using namespace lombar;

Ref<ICatItem> PricedPart(std::string_view line_code, std::string_view number,
                         std::string_view description, std::string_view cost) {
  auto item = MakeRef<ICatItem>();
  item->SetLineCode(line_code);
  item->SetItemNumber(number);
  item->SetDescription(description);
  // Store D1 has 6 on hand at this cost and a list price of 19.99; the
  // price comes back with the key it is filed under, its directory.
  const auto [price, key] = item->PriceCol()->Add("D1", "Main St", "1001", "6", cost, "19.99");
  std::cout << number << " priced at " << price->Location() << ", filed under " << key << "\n";
  return item;
}

Ref<ICatalog> BuildCatalog() {
  auto catalog = MakeRef<ICatalog>();
  catalog->Vehicle()->SetYear("2011");
  catalog->Vehicle()->SetMake("Cardell");
  catalog->Providers()->Add("Northside Auto Parts", "Main St", "1001", "D1", "Today 3 pm", true);
  const auto items = MakeRef<ICatItemCol>();
  for (const auto& part : {PricedPart("FLT", "PF15838", "Air Filter", "12.92"),
                           PricedPart("GTW", "K007919", "Water Pump", "58.11")}) {
    items->Add(part, part->UniqueKey());
  }
  catalog->Stores()->Add("D1", items);
  return catalog;
}

}  // namespace

int main() {
  const std::string document = BuildCatalog()->XML();  // the text one host hands the other

  const auto copy = MakeRef<ICatalog>();
  copy->SetXML(document);
  const auto items = copy->Stores()->Item(Variant("D1"))->Items();
  const auto pump = items->Item(Variant("GTWK007919"));
  const bool same = copy->XML() == document && items->Count() == 2 &&
                    pump->JobberCostAt("D1") == 58.11 && pump->QuantityAvailableAt("D1") == 6;
  std::cout << document.size() << " characters passed on; read back "
            << (same ? "the same" : "DIFFERENT") << "\n";

  try {
    copy->Stores()->Item(Variant("D9"));  // no store has the directory D9
  } catch (const Error& error) {
    std::cout << "error " << error.Number() << ": " << error.Description() << "\n";
    return same && error.Number() == kInvalidProcedureCall ? 0 : 1;
  }
  return 1;
}
