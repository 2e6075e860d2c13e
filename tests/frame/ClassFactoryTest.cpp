#include "frame/ClassFactory.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "lombar/Library.h"
#include "lombar/lombar.h"

namespace lombar {
namespace {

const char* const kInfoColClsid = "{1B90CD73-6703-4ABA-BB5D-1E5DD7E93EB3}";

// Creation by ProgID, name or class id in any letter case is the Python package's to test.
TEST(ClassFactoryTest, ClassesOutsideTheTypeLibraryAreNotCreated) {
  EXPECT_EQ(ErrorOf([] { CreateObject("clsXML"); }).first, kCannotCreateObject);
}

TEST(ClassFactoryTest, FactoriesAndObjectsKeepTheLibraryLoaded) {
  ASSERT_EQ(DllCanUnloadNow(), LOMBAR_S_OK) << "objects left alive by an earlier test";
  lombar_guid clsid{}, unknown{}, dispatch{}, class_factory{};
  lombar_guid_parse(kInfoColClsid, &clsid);
  lombar_guid_parse("{00000000-0000-0000-C000-000000000046}", &unknown);
  lombar_guid_parse("{00020400-0000-0000-C000-000000000046}", &dispatch);
  lombar_guid_parse("{00000001-0000-0000-C000-000000000046}", &class_factory);
  void* factory = nullptr;
  ASSERT_EQ(DllGetClassObject(&clsid, &unknown, &factory), LOMBAR_S_OK);
  auto* factory_handle = static_cast<lombar_object*>(factory);
  // A factory is an IUnknown and an IClassFactory, nothing else (S_FALSE: not).
  EXPECT_EQ(lombar_query_interface(factory_handle, &class_factory), LOMBAR_S_OK);
  EXPECT_EQ(lombar_query_interface(factory_handle, &dispatch), LOMBAR_S_FALSE);
  lombar_object* object = nullptr;
  ASSERT_EQ(lombar_factory_create(factory_handle, &object), LOMBAR_S_OK);
  EXPECT_STREQ(lombar_class_name(object), "ICatInfoCol");
  EXPECT_EQ(lombar_factory_lock(factory_handle, 1), LOMBAR_S_OK);
  lombar_release(factory_handle);
  lombar_release(object);
  EXPECT_EQ(DllCanUnloadNow(), LOMBAR_S_FALSE);  // a lock alone keeps it
  ClassFactory::LockServer(false);
  EXPECT_EQ(DllCanUnloadNow(), LOMBAR_S_OK);
  EXPECT_EQ(DllGetClassObject(&clsid, &dispatch, &factory), LOMBAR_E_NOINTERFACE);
}

}  // namespace
}  // namespace lombar
