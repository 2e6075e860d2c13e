// A small tour of the library: builds an info collection, writes it to XML,
// reads it back and shows an error as a host receives it.
#include <iostream>

#include "lombar/Error.h"
#include "lombar/ICatInfoCol.h"
#include "lombar/Library.h"

int main() {
  using namespace lombar;
  const auto rules = MakeRef<ICatInfoCol>();
  rules->Add("P", "1", "HRS", "Store hours", "Mon-Fri 8-6", "", true, "", "hours");
  rules->Add("P", "2", "RET", "Returns", "30 days & receipt", "", false, "", "returns");
  const std::string xml = rules->XML();
  std::cout << "wrote " << rules->Count() << " info records:\n" << xml << "\n";

  const auto copy = CreateObject("qorkwz_LOMBARv3.ICatInfoCol").As<ICatInfoCol>();
  copy->SetXML(xml);
  std::cout << "read back " << copy->Count() << " records; default: "
            << copy->DefaultCode()->Desc() << "; same XML: " << (copy->XML() == xml ? "yes" : "no")
            << "\n";

  try {
    copy->SetXML("<ICatInfoCol><Count>40000</Count></ICatInfoCol>");
  } catch (const Error& error) {
    std::cout << "a count beyond 16 bits fails with error " << error.Number() << ":\n"
              << error.Description() << "\n";
  }
  return 0;
}
