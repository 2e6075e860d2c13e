// A small tour of the library: prints what it did.
#include <iostream>

#include "lombar/Variant.h"

int main() {
  using lombar::Variant;
  std::cout << "lombar example\n";
  std::cout << "1.5 rounds to " << Variant(1.5).ToShort() << ", 2.5 to " << Variant(2.5).ToShort()
            << "\n";
  return 0;
}
