#include "frame/ClassFactory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "TestSupport.h"
#include "frame/Registration.h"
#include "frame/TypeLibrary.h"
#include "lombar/Library.h"
#include "lombar/lombar.h"

namespace lombar {
namespace {

using testing::ErrorOf;
using testing::LogFolderScope;
using testing::ReadFile;

const char* const kInfoColClsid = "{1B90CD73-6703-4ABA-BB5D-1E5DD7E93EB3}";

TEST(ClassFactoryTest, ObjectsAreCreatedByProgIdNameOrClassId) {
  for (const char* name : {"qorkwz_LOMBARv3.ICatInfoCol", "icatinfocol", kInfoColClsid,
                           "{1b90cd73-6703-4aba-bb5d-1e5dd7e93eb3}"}) {
    const Ref<AutomationObject> created = CreateObject(name);
    ASSERT_TRUE(created) << name;
    EXPECT_EQ(created->Class().name, "ICatInfoCol") << name;
  }
  EXPECT_EQ(ErrorOf([] { CreateObject("qorkwz_LOMBARv3.ICatNothing"); }).first,
            kCannotCreateObject);
  EXPECT_EQ(ErrorOf([] { CreateObject("clsXML"); }).first, kCannotCreateObject);
}

TEST(ClassFactoryTest, FactoriesAndObjectsKeepTheLibraryLoaded) {
  ASSERT_EQ(DllCanUnloadNow(), LOMBAR_S_OK) << "objects left alive by an earlier test";
  lombar_guid clsid{}, unknown{};
  lombar_guid_parse(kInfoColClsid, &clsid);
  lombar_guid_parse("{00000000-0000-0000-C000-000000000046}", &unknown);
  void* factory = nullptr;
  ASSERT_EQ(DllGetClassObject(&clsid, &unknown, &factory), LOMBAR_S_OK);
  auto* factory_handle = static_cast<lombar_object*>(factory);
  lombar_object* object = nullptr;
  ASSERT_EQ(lombar_factory_create(factory_handle, &object), LOMBAR_S_OK);
  EXPECT_STREQ(lombar_class_name(object), "ICatInfoCol");
  lombar_release(factory_handle);
  EXPECT_EQ(DllCanUnloadNow(), LOMBAR_S_FALSE);  // the object lives
  lombar_release(object);
  EXPECT_EQ(DllCanUnloadNow(), LOMBAR_S_OK);
  ClassFactory::LockServer(true);
  EXPECT_EQ(DllCanUnloadNow(), LOMBAR_S_FALSE);  // a lock alone keeps it too
  ClassFactory::LockServer(false);
  EXPECT_EQ(DllCanUnloadNow(), LOMBAR_S_OK);

  lombar_guid dispatch{};
  lombar_guid_parse("{00020400-0000-0000-C000-000000000046}", &dispatch);
  EXPECT_EQ(DllGetClassObject(&clsid, &dispatch, &factory), LOMBAR_E_NOINTERFACE);
}

TEST(ClassFactoryTest, RegisteringThenUnregisteringLeavesTheRegistryAsItWas) {
  LogFolderScope folder;
  const std::string file = (folder.Path() / "registry.reg").string();
  const std::string before = "REGEDIT4\n\n[HKEY_CLASSES_ROOT\\Other]\n@=\"other\"\n";
  std::ofstream(file, std::ios::binary) << before;
  ::setenv("LOMBAR_REGISTRY", file.c_str(), 1);

  ASSERT_EQ(DllRegisterServer(), LOMBAR_S_OK);
  const std::string registered = ReadFile(file);
  const std::string clsid_key = std::string("[HKEY_CLASSES_ROOT\\CLSID\\") + kInfoColClsid;
  for (const std::string& expected :
       {clsid_key + "\\InprocServer32]\n@=\"" + LibraryFileName() +
            "\"\n\"ThreadingModel\"=\"Apartment\"\n",
        clsid_key + "\\ProgID]\n@=\"qorkwz_LOMBARv3.ICatInfoCol\"\n",
        std::string("[HKEY_CLASSES_ROOT\\qorkwz_LOMBARv3.ICatInfoCol\\Clsid]\n@=\"") +
            kInfoColClsid + "\"\n",
        std::string("[HKEY_CLASSES_ROOT\\TypeLib\\{C22212ED-5E03-4D43-8768-ABCEC1568719}\\1.2]\n"
                    "@=\"qorkwz_LOMBARv3\"\n")}) {
    EXPECT_NE(registered.find(expected), std::string::npos) << expected;
  }
  ASSERT_EQ(DllRegisterServer(), LOMBAR_S_OK);
  EXPECT_EQ(ReadFile(file), registered);  // registering again changes nothing
  ASSERT_EQ(DllUnregisterServer(), LOMBAR_S_OK);
  EXPECT_EQ(ReadFile(file), before);
  ::unsetenv("LOMBAR_REGISTRY");
}

}  // namespace
}  // namespace lombar
