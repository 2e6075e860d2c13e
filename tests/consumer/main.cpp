// A host built against an installed or embedded lombar: it makes a catalog,
// passes it on as XML, and reads it back.
#include <iostream>

#include "lombar/Error.h"
#include "lombar/ICatalog.h"

int main() {
  using namespace lombar;
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
