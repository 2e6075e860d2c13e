// Writes the type library's IDL to standard output, from the class tables
// of the library it is linked with; the Windows build compiles it with widl.
// With --listing it writes instead what the Windows type library must show
// through ITypeInfo (scripts/test-windows compares the two).
#include <iostream>
#include <string_view>

#include "IdlWriter.h"
#include "model/ClassTable.h"

int main(int argc, char** argv) {
  lombar::RegisterModelClasses();
  const bool listing = argc > 1 && std::string_view(argv[1]) == "--listing";
  std::cout << (listing ? lombar::TypeLibraryListing() : lombar::TypeLibraryIdl());
  return std::cout.flush().good() ? 0 : 1;
}
