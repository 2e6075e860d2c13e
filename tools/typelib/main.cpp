// Writes the type library's IDL to standard output, from the class tables
// of the library it is linked with; the Windows build compiles it with widl.
#include <iostream>

#include "IdlWriter.h"

int main() {
  std::cout << lombar::TypeLibraryIdl();
  return std::cout.flush().good() ? 0 : 1;
}
