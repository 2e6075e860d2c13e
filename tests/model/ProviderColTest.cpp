#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "TestSupport.h"
#include "frame/Dispatch.h"
#include "lombar/ICatProviderCol.h"
#include "model/LocationKeys.h"
#include "model/ModelState.h"

namespace lombar {
namespace {

constexpr std::string_view kJobberRefused =
    "Invalid Collection Key of 'Jobber' Specified for 'MCLdir'.";

Ref<ICatProvider> AddSeller(ICatProviderCol& providers, std::string_view mcl_dir,
                            std::string_view seller_id, bool is_default = false) {
  return providers.Add("Name", "Location", seller_id, mcl_dir, "", is_default);
}

// A collection text of `count` and a provider of each directory.
std::string CollectionXml(std::string_view count, std::initializer_list<std::string_view> dirs) {
  std::string xml = "<ICatProviderCol><Count>" + std::string(count) + "</Count>";
  for (const std::string_view dir : dirs)
    xml += "<Provider><MCLdir>" + std::string(dir) + "</MCLdir></Provider>";
  return xml + "</ICatProviderCol>";
}

TEST(ICatProviderColTest, KeysAreDirectoriesJobberIsRefusedAndAJobberProviderEndsALoad) {
  LogFolderScope folder;
  InFreshThread([&] {
    auto providers = MakeRef<ICatProviderCol>();
    EXPECT_EQ(ErrorOf([&] { AddSeller(*providers, "JOBBER", "S1"); }).second,
              "ICatProviderCol | Add, Error # 17 at line: 0\r\n" + std::string(kJobberRefused));
    const auto refused = testing::RaisedBy([] { RefuseReservedDirectory("JOBBER"); });
    ASSERT_TRUE(refused);
    EXPECT_EQ(std::tuple(refused->Number(), refused->Source(), refused->Description()),
              std::tuple(17, "DEV", kJobberRefused));
    const auto jobber = AddSeller(*providers, "Jobber", "S1");  // the refusal is case-sensitive
    EXPECT_EQ(ErrorOf([&] { providers->Item("Jobber"); }).first, kInvalidProcedureCall);
    const auto dropped = AddSeller(*providers, "jobber", "S2");
    EXPECT_TRUE(dropped && providers->Count() == 1);

    auto acme = MakeRef<ICatProvider>();
    acme->SetMCLdir("ACME1");
    std::vector<Argument> args = {{Variant(acme)}, {Variant("X"), true}};
    Invoke(*providers, MethodId(7), MemberKind::Method, args);
    EXPECT_EQ(args[1].value, Variant("X"));
    EXPECT_TRUE(providers->Exists("acme1") && !providers->Exists("X"));

    const std::size_t logged = folder.ErrorLines().size();
    EXPECT_EQ(ErrorOf([&] { providers->Item("NONE"); }).first, kInvalidProcedureCall);
    EXPECT_EQ(ErrorOf([&] { providers->Remove(Long{9}); }).first, kSubscriptOutOfRange);
    EXPECT_EQ(folder.ErrorLines().size(), logged);                  // look-ups are not logged
    EXPECT_FALSE(providers->Exists(Variant(Ref<Object>(jobber))));  // JobberKey fails: logged
    EXPECT_EQ(ErrorOf([&] { providers->AddObject(Nothing, ""); }).first, kObjectNotSet);
    EXPECT_EQ(folder.ErrorLines().size(), logged + 2);

    EXPECT_EQ(providers->XML(), "<ICatProviderCol><Count>2</Count><Collection>" + jobber->XML() +
                                    acme->XML() + "</Collection></ICatProviderCol>");
    // A repeated directory is dropped; a missing third member loads from an empty block.
    providers->SetXML(CollectionXml("3", {"A", "a"}));
    EXPECT_EQ(std::tuple(providers->Count(), providers->Exists("")), std::tuple(2, true));
    EXPECT_EQ(ErrorOf([&] {
                providers->SetXML(CollectionXml("3", {"A", "JOBBER", "C"}));
              }).second,
              "ICatProviderCol | Let XML, Error # 17 at line: 0\r\n"
              "ICatProviderCol | AddObject, Error # 17 at line: 0\r\n" +
                  std::string(kJobberRefused));
    EXPECT_EQ(std::tuple(providers->Count(), providers->Exists("A")), std::tuple(1, true));
    EXPECT_EQ(folder.ErrorLines().size(), logged + 4);  // once by AddObject, once by Let XML
  });
}

TEST(ICatProviderColTest, DefaultProviderAndSellerLookups) {
  auto providers = MakeRef<ICatProviderCol>();
  AddSeller(*providers, "A", " ab12 ");
  const auto first_default = AddSeller(*providers, "B", "zé", true);
  AddSeller(*providers, "C", "", true);
  EXPECT_EQ(providers->GetDefaultProvider(), first_default);
  // A seller ID, then the directory found for it: "#", then "S#" come off, the
  // stored IDs are trimmed and upper-cased (as the code page has it), the
  // argument is taken as it is, and the prefix goes after the empty test.
  const std::pair<const char*, const char*> kSellers[] = {
      {"AB12", "A"}, {"#AB12", "A"},   {"S#AB12", "A"}, {"#S#AB12", "A"}, {"ab12", ""},
      {" AB12", ""}, {"S#S#AB12", ""}, {"", ""},        {"ZÉ", "B"},      {"#", "C"}};
  for (const auto& [seller, directory] : kSellers)
    EXPECT_EQ(providers->GetMCLdir(seller), directory) << seller;
  EXPECT_EQ(std::tuple(providers->GetSellerID("b"), providers->GetSellerID("D")),
            std::tuple("zé", ""));

  providers->Clear(true);
  EXPECT_TRUE(providers->GetDefaultProvider().IsNothing());
  EXPECT_EQ(std::tuple(providers->GetMCLdir("AB12"), providers->GetSellerID("A"), providers->XML()),
            std::tuple("", "", ""));
}

TEST(ICatProviderColTest, JobberKeyTranslatesAliasesThroughTheGlobalProviders) {
  InFreshThread([] {
    for (const char* alias : {"jObBeR", "#AB12", "S#AB12"})
      EXPECT_EQ(JobberKey(alias), Variant("")) << alias;
    EXPECT_EQ(JobberKey("MAIN"), Variant("MAIN"));
    EXPECT_EQ(JobberKey(Long{2}), Variant(Long{2}));

    auto global = MakeRef<ICatProviderCol>();
    ThreadModel().global_providers = global;
    AddSeller(*global, "SHOP", "ab12 ");
    EXPECT_EQ(JobberKey("JOBBER"), Variant(""));  // no default provider
    EXPECT_EQ(global->GetSellerID("JOBBER"), "");
    AddSeller(*global, "MAIN", "M1", true);
    const std::pair<const char*, const char*> kTranslated[] = {
        {"JOBBER", "MAIN"}, {"jobber", "MAIN"}, {"#AB12", "SHOP"},   {"S#AB12", "SHOP"},
        {"#ZZ", "MAIN"},    {"S#ZZ", "MAIN"},   {"s#AB12", "s#AB12"}};  // prefixes are exact
    for (const auto& [key, directory] : kTranslated)
      EXPECT_EQ(JobberKey(key), Variant(directory)) << key;
    EXPECT_EQ(global->GetSellerID("Jobber"), "M1");

    // Another collection translates through the global one too.
    auto local = MakeRef<ICatProviderCol>();
    const auto local_main = AddSeller(*local, "main", "L1");
    EXPECT_EQ(local->Item("JOBBER"), local_main);
  });
}

}  // namespace
}  // namespace lombar
