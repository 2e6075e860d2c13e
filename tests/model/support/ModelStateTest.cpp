#include "model/support/ModelState.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "lombar/ICatProviderCol.h"

namespace lombar {
namespace {

TEST(ModelStateTest, EachThreadHasItsOwnSwitchesAndGlobalProviders) {
  ThreadModel().compress = true;
  ThreadModel().zero_suppress = false;
  ThreadModel().global_providers = MakeRef<ICatProviderCol>();
  InFreshThread([] {
    EXPECT_FALSE(ThreadModel().compress);
    EXPECT_FALSE(ThreadModel().zero_suppress);
    EXPECT_TRUE(ThreadModel().global_providers.IsNothing());
    ThreadModel().zero_suppress = true;
  });
  EXPECT_FALSE(ThreadModel().zero_suppress);
  EXPECT_TRUE(ThreadModel().compress);
  ThreadModel().compress = false;
  ThreadModel().global_providers = nullptr;
}

}  // namespace
}  // namespace lombar
