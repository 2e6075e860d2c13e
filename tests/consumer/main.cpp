// A host built against an installed or embedded lombar: it makes a catalog,
// passes it on as XML, and reads it back.
#include <iostream>

#include "lombar/lombar.hpp"

namespace {

// The library's class factory makes every creatable class by name, and each
// object is of the class the installed header declares.
template <class... Classes>
bool EveryClassCreated() {
  return (... && lombar::CreateObject(Classes::kClassName).template As<Classes>());
}

}  // namespace

int main() {
  using namespace lombar;
  if (!EveryClassCreated<ICatalog, ICatVehicle, ICatSpec, ICatSpecCol, ICatProvider,
                         ICatProviderCol, ICatStore, ICatStoreCol, ICatItem, ICatItemCol, ICatPrice,
                         ICatPriceCol, ICatInfo, ICatInfoCol, ICatList, ICatListCol, ICatPreset,
                         ICatPresetCol, ICatItemProfile, ICatItemProfileCol>()) {
    std::cerr << "a class was not created by name\n";
    return 1;
  }
  const auto part = MakeRef<ICatItem>();
  const auto [price, key] = part->PriceCol()->Add("D1", "Main St", "S1", "6", "1.5", "2");
  if (key != "D1" || part->QuantityAvailableAt("D1") != 6) {
    std::cerr << "the C++ forms did not give the key and quantity\n";
    return 1;
  }
  const auto catalog = MakeRef<ICatalog>();
  catalog->Vehicle()->SetMake("Acme");
  catalog->Providers()->Add("Acme Parts", "Main St", "S1", "D1", "Today 3 pm", true);
  const std::string xml = catalog->XML();
  const auto copy = MakeRef<ICatalog>();
  copy->SetXML(xml);
  if (copy->XML() != xml || copy->Vehicle()->Make() != "Acme") {
    std::cerr << "the catalog did not come back as it was written\n";
    return 1;
  }
  try {
    catalog->Stores()->Item(Variant("no such store"));
    std::cerr << "a store that is not there was found\n";
    return 1;
  } catch (const Error& error) {
    std::cout << "consumer: " << xml.size() << " bytes kept; error " << error.Number() << "\n";
  }
  return 0;
}
