// The type library's IDL (tools/typelib), which the Windows build compiles
// and embeds, against TypeLibrary.idl.golden: every class with its
// identifiers, events and members in slot order, each member's dispatch id,
// kind, flags and parameter types, and every enumeration. The file is the
// surface clients are built against: change it (`lombar_idl >` it) only
// with the surface.
#include <gtest/gtest.h>

#include "IdlWriter.h"
#include "TestSupport.h"

namespace lombar {
namespace {

TEST(TypeLibraryIdl, EveryClassAndEnumerationMatchesTheGoldenIdl) {
  EXPECT_EQ(TypeLibraryIdl(),
            testing::ReadFile(LOMBAR_TEST_DATA_DIR "/model/TypeLibrary.idl.golden"));
}

}  // namespace
}  // namespace lombar
