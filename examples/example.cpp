// A small tour of the library as a host uses it: a catalog interface builds
// a catalog and passes its XML on; a second host reads it, sorts the items,
// reads totals and flags, and shows an error as a host receives it.
#include <iostream>

#include "lombar/Error.h"
#include "lombar/ICatalog.h"
#include "lombar/Library.h"

namespace {

using namespace lombar;

class Announcer final : public ICatItemColEvents {
 public:
  void OnCountChanged() override { ++added; }
  int added = 0;
};

Ref<ICatItem> Part(std::string_view line_code, std::string_view number,
                   std::string_view description, std::string_view cost) {
  auto item = MakeRef<ICatItem>();
  item->SetLineCode(line_code);
  item->SetItemNumber(number);
  item->SetDescription(description);
  std::string key;
  item->PriceCol()->Add("D1", "Main St", "S1", "4", cost, "19.99", key);
  return item;
}

std::string BuildCatalog() {
  const auto catalog = MakeRef<ICatalog>();
  catalog->Vehicle()->SetYear("2004");
  catalog->Vehicle()->SetMake("Acme");
  catalog->Vehicle()->SetModel("Roadster");
  catalog->Providers()->Add("Acme Parts", "Main St", "S1", "D1", "Today 3 pm", true);
  catalog->GlobalProviders_Create();
  const auto items = MakeRef<ICatItemCol>();
  const auto announcer = MakeRef<Announcer>();
  items->Advise(announcer);
  for (const auto& part : {Part("ACD", "41-993", "Spark Plug", "3.10"),
                           Part("BOS", "FR7DC", "Spark Plug", "2.85"),
                           Part("ACD", "PF48", "Oil Filter & Gasket", "6.40")}) {
    items->Add(part, part->UniqueKey());
  }
  catalog->Stores()->Add("D1", items);
  std::cout << "selected " << announcer->added << " items\n";
  return catalog->XML();
}

}  // namespace

int main() {
  const std::string document = BuildCatalog();
  std::cout << "catalog document, " << document.size() << " characters:\n" << document << "\n\n";

  const auto catalog = CreateObject("qorkwz_LOMBARv3.ICatalog").As<ICatalog>();
  catalog->SetXML(document);
  catalog->GlobalProviders_Create();
  const auto items = catalog->Stores()->Item(Variant("JOBBER"))->Items();
  items->SortCatalog(qCCISdscCostLoHi, qCCISundefined);
  items->Item(Variant("BOSFR7DC"))->SetItemStatus(Variant("ORDER"));
  items->Item(Variant("BOSFR7DC"))->SetQuantityToOrder("JOBBER", Variant(2));
  std::cout << "by description, cheapest first:";
  for (const auto& item : items->Members())
    std::cout << " " << item->VendorNumber() << " (" << item->JobberCost().ToText() << ")";
  std::cout << "\navailable " << Variant(items->ItemsTotalCount()).ToText() << ", selected "
            << Variant(items->ItemsSelectedCount()).ToText() << " for "
            << Variant(items->ItemsSelectedCost()).ToText() << "\n";

  try {
    catalog->Stores()->Add("JOBBER", items);
  } catch (const Error& error) {
    std::cout << "a store under JOBBER is refused with error " << error.Number() << ":\n"
              << error.Description() << "\n";
  }
  return 0;
}
