#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "TestSupport.h"
#include "frame/DiagnosticLog.h"
#include "frame/Dispatch.h"
#include "lombar/ICatProviderCol.h"
#include "model/ProviderTestSupport.h"
#include "model/support/LocationKeys.h"
#include "model/support/ModelState.h"

namespace lombar {
namespace {

using testing::ErrorOf;
using testing::InFreshThread;
using testing::LogFolderScope;

constexpr std::string_view kJobberRefused =
    "Invalid Collection Key of 'Jobber' Specified for 'MCLdir'.";

Ref<ICatProvider> AddSeller(ICatProviderCol& providers, std::string_view mcl_dir,
                            std::string_view seller_id, bool is_default = false) {
  return providers.Add("Name", "Location", seller_id, mcl_dir, "", is_default);
}

std::string ProviderXml(std::string_view mcl_dir) {
  auto provider = MakeRef<ICatProvider>();
  provider->SetMCLdir(mcl_dir);
  return provider->XML();
}

std::string CollectionXml(std::string_view count, std::initializer_list<std::string_view> dirs) {
  std::string xml = "<ICatProviderCol><Count>" + std::string(count) + "</Count><Collection>";
  for (const std::string_view dir : dirs)
    xml += ProviderXml(dir);
  return xml + "</Collection></ICatProviderCol>";
}

TEST(ICatProviderColTest, XmlRoundTripIsByteExact) {
  auto providers = MakeRef<ICatProviderCol>();
  EXPECT_EQ(providers->XML(), "");
  providers->AddObject(testing::FullySetProvider(), "");
  providers->Add("", "", "", "BARE", "", false);
  const std::string xml = providers->XML();
  EXPECT_EQ(xml, "<ICatProviderCol><Count>2</Count><Collection>" +
                     std::string(testing::kFullySetXml) + ProviderXml("BARE") +
                     "</Collection></ICatProviderCol>");

  auto loaded = MakeRef<ICatProviderCol>();
  AddSeller(*loaded, "OLD", "S0");
  loaded->SetXML(xml);
  EXPECT_EQ(loaded->XML(), xml);
  EXPECT_FALSE(loaded->Exists("OLD"));
  EXPECT_EQ(loaded->Item("acme1")->LineColorVWH(), "#0F0");  // kept under the MCLdir as read
}

TEST(ICatProviderColTest, BadTextLoadsWhatItFindsAndKeepsProvidersAddedBeforeAFailure) {
  LogFolderScope folder;
  InFreshThread([&] {
    auto providers = MakeRef<ICatProviderCol>();
    AddSeller(*providers, "OLD", "S0");
    EXPECT_EQ(ErrorOf([&] { providers->SetXML("<Count>40000</Count>"); }).second,
              "ICatProviderCol | Let XML, Error # 6 at line: 0\r\nOverflow");
    EXPECT_EQ(providers->Count(), 0);
    providers->SetXML(CollectionXml("-3", {"A"}));
    EXPECT_EQ(providers->Count(), 0);
    // A repeated directory is dropped; a missing third member loads from an empty block.
    providers->SetXML(CollectionXml("3", {"A", "a"}));
    EXPECT_EQ(std::tuple(providers->Count(), providers->Exists("")), std::tuple(2, true));

    const std::size_t logged = folder.ErrorLines().size();
    EXPECT_EQ(ErrorOf([&] {
                providers->SetXML(CollectionXml("3", {"A", "JOBBER", "C"}));
              }).second,
              "ICatProviderCol | Let XML, Error # 17 at line: 0\r\n"
              "ICatProviderCol | AddObject, Error # 17 at line: 0\r\n" +
                  std::string(kJobberRefused));
    EXPECT_EQ(std::tuple(providers->Count(), providers->Exists("A")), std::tuple(1, true));
    EXPECT_EQ(folder.ErrorLines().size(), logged + 2);  // once by AddObject, once by Let XML
  });
}

TEST(ICatProviderColTest, KeysAreDirectoriesAndJobberIsRefused) {
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
    EXPECT_EQ(providers->Item(Long{1}), jobber);
    const auto dropped = AddSeller(*providers, "jobber", "S2");
    EXPECT_TRUE(dropped && providers->Count() == 1);

    std::vector<Argument> args = {{Variant(testing::FullySetProvider())}, {Variant("X"), true}};
    Invoke(*providers, MethodId(7), MemberKind::Method, args);
    EXPECT_EQ(args[1].value, Variant("X"));
    EXPECT_TRUE(providers->Exists("ACME1") && !providers->Exists("X"));
    std::vector<Argument> by_key = {{Variant("acme1")}};
    EXPECT_EQ(ErrorOf([&] { Invoke(*providers, kDispIdValue, MemberKind::Get, by_key); }).first,
              kMemberNotSupported);  // Item is not the default member

    const std::size_t logged = folder.ErrorLines().size();
    EXPECT_EQ(ErrorOf([&] { providers->Item("NONE"); }).first, kInvalidProcedureCall);
    EXPECT_EQ(ErrorOf([&] { providers->Remove(Long{9}); }).first, kSubscriptOutOfRange);
    EXPECT_EQ(folder.ErrorLines().size(), logged);                  // look-ups are not logged
    EXPECT_FALSE(providers->Exists(Variant(Ref<Object>(jobber))));  // JobberKey fails: logged
    EXPECT_EQ(ErrorOf([&] { providers->AddObject(Nothing, ""); }).first, kObjectNotSet);
    EXPECT_EQ(folder.ErrorLines().size(), logged + 2);
  });
}

TEST(ICatProviderColTest, DefaultProviderAndSellerLookups) {
  auto providers = MakeRef<ICatProviderCol>();
  EXPECT_TRUE(providers->GetDefaultProvider().IsNothing());
  AddSeller(*providers, "A", " ab12 ");
  const auto first_default = AddSeller(*providers, "B", "zé", true);
  AddSeller(*providers, "C", "", true);
  EXPECT_EQ(providers->GetDefaultProvider(), first_default);
  for (const char* found : {"AB12", "#AB12", "S#AB12", "#S#AB12"})
    EXPECT_EQ(providers->GetMCLdir(found), "A") << found;
  for (const char* missed : {"ab12", " AB12", "S#S#AB12", ""})
    EXPECT_EQ(providers->GetMCLdir(missed), "") << missed;
  EXPECT_EQ(providers->GetMCLdir("ZÉ"), "B");  // upper case as the code page has it
  EXPECT_EQ(providers->GetMCLdir("#"), "C");   // the prefix goes after the empty test
  EXPECT_EQ(providers->GetSellerID("b"), "zé");
  EXPECT_EQ(providers->GetSellerID("D"), "");

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
    const auto seller = AddSeller(*global, "SHOP", "ab12 ");
    EXPECT_EQ(JobberKey("JOBBER"), Variant(""));  // no default provider
    EXPECT_EQ(global->GetSellerID("JOBBER"), "");
    const auto main = AddSeller(*global, "MAIN", "M1", true);
    for (const auto& [key, directory] : {std::pair{"JOBBER", "MAIN"},
                                         {"jobber", "MAIN"},
                                         {"#AB12", "SHOP"},
                                         {"S#AB12", "SHOP"},
                                         {"#ZZ", "MAIN"},
                                         {"S#ZZ", "MAIN"},
                                         {"s#AB12", "s#AB12"}})
      EXPECT_EQ(JobberKey(key), Variant(directory)) << key;
    EXPECT_EQ(JobberKey(Long{1}), Variant(Long{1}));
    EXPECT_EQ(global->GetSellerID("Jobber"), "M1");

    // Another collection translates through the global one too.
    auto local = MakeRef<ICatProviderCol>();
    const auto local_main = AddSeller(*local, "main", "L1");
    EXPECT_EQ(local->Item("JOBBER"), local_main);
    EXPECT_EQ(local->GetSellerID("S#AB12"), "");
    global->Remove("#AB12");
    EXPECT_FALSE(global->Exists(seller->MCLdir()));
  });
}

TEST(ICatProviderColTest, TracedOperationsWriteTheirNames) {
  LogFolderScope folder;
  folder.SwitchTraceOn();
  InFreshThread([] {
    FileLogInit();
    auto providers = MakeRef<ICatProviderCol>();
    AddSeller(*providers, "A", "S1");
    providers->Exists("#S1");
    providers->SetXML(CollectionXml("1", {"B"}));
    providers->Item(Long{1})->XML();  // providers do not trace
    providers->XML();
  });
  const std::string col = "ICatProviderCol | ";
  EXPECT_EQ(
      folder.TraceLines(),
      (std::vector<std::string>{col + "Class_Initialize", col + "Clear", col + "Add",
                                "basGLOBALs | JobberKey", col + "Let XML", col + "Clear",
                                col + "AddObject", "basGLOBALs | JobberKey", col + "Get XML"}));
}

}  // namespace
}  // namespace lombar
