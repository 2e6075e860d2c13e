#include "frame/RegistryFile.h"

#include <gtest/gtest.h>

namespace lombar {
namespace {

const std::vector<RegistryKey> kServerKeys = {
    {"HKEY_CLASSES_ROOT\\qorkwz_LOMBARv3.ICatInfo", {{"@", "qorkwz_LOMBARv3.ICatInfo"}}},
    {"HKEY_CLASSES_ROOT\\CLSID\\{X}\\InprocServer32",
     {{"@", "/lib/q\"x\\.so"}, {"ThreadingModel", "Apartment"}}},
};

TEST(RegistryFileTest, WritingIntoAnEmptyRegistryThenErasingLeavesNothing) {
  RegistryFile registry = RegistryFile::Parse("");
  registry.Write(kServerKeys);
  EXPECT_EQ(registry.Text(),
            "REGEDIT4\n\n"
            "[HKEY_CLASSES_ROOT\\qorkwz_LOMBARv3.ICatInfo]\n"
            "@=\"qorkwz_LOMBARv3.ICatInfo\"\n\n"
            "[HKEY_CLASSES_ROOT\\CLSID\\{X}\\InprocServer32]\n"
            "@=\"/lib/q\\\"x\\\\.so\"\n"
            "\"ThreadingModel\"=\"Apartment\"\n\n");
  registry.Write(kServerKeys);  // registering twice writes nothing new
  EXPECT_EQ(RegistryFile::Parse(registry.Text()).Text(), registry.Text());
  RegistryFile reread = RegistryFile::Parse(registry.Text());
  reread.Erase(kServerKeys);
  EXPECT_TRUE(reread.Empty());
}

TEST(RegistryFileTest, OtherEntriesSurviveByteForByte) {
  const std::string others =
      "REGEDIT4\r\n\r\n"
      "[HKEY_CLASSES_ROOT\\Other.App]\r\n"
      "@=\"Other\"\r\n"
      "\"Extra\"=dword:00000001\r\n"
      "; a comment\r\n"
      "\r\n"
      "[HKEY_CLASSES_ROOT\\qorkwz_LOMBARv3.ICatInfo]\n"
      "\"Foreign\"=\"kept\"\n";
  RegistryFile registry = RegistryFile::Parse(others);
  EXPECT_EQ(registry.Text(), others);
  registry.Write(kServerKeys);
  const std::string registered = registry.Text();
  EXPECT_NE(registered.find("\"Foreign\"=\"kept\"\n@=\"qorkwz_LOMBARv3.ICatInfo\"\n"),
            std::string::npos);
  EXPECT_NE(registered.find("\"kept\"\n@=\"qorkwz_LOMBARv3.ICatInfo\"\n[HKEY_CLASSES_ROOT\\CLSID"),
            std::string::npos);
  RegistryFile reread = RegistryFile::Parse(registered);
  reread.Erase(kServerKeys);
  EXPECT_EQ(reread.Text(), others);
}

}  // namespace
}  // namespace lombar
