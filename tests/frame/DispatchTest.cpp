#include "frame/Dispatch.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "frame/ConnectionPoint.h"
#include "frame/Gadget.h"

namespace lombar {
namespace {

using testing::Gadget;

Variant Call(AutomationObject& object, std::string_view name, MemberKind kind,
             std::vector<Argument> args = {}) {
  return Invoke(object, GetIdOfName(object, name), kind, args);
}

TEST(DispatchTest, NamesResolveInAnyCaseAndInterfacesAnswerAsDeclared) {
  const auto gadget = MakeRef<Gadget>();
  EXPECT_EQ(GetIdOfName(*gadget, "name"), PropertyId(1));
  EXPECT_EQ(GetIdOfName(*gadget, "LABEL"), MethodId(4));
  EXPECT_EQ(ErrorOf([&] { GetIdOfName(*gadget, "Nope"); }).first, kMemberNotSupported);
  EXPECT_TRUE(gadget->Supports(Guid::Of("{00000000-1111-2222-3333-444444444444}")));
  EXPECT_TRUE(gadget->Supports(iid::kIConnectionPointContainer));
  EXPECT_FALSE(gadget->Supports(iid::kIEnumVARIANT));
}

TEST(DispatchTest, ArgumentsAreConvertedAndDefaulted) {
  auto gadget = MakeRef<Gadget>();
  EXPECT_EQ(Call(*gadget, "Scale", MemberKind::Method, {{Variant("3")}}), Variant(Short{7}));
  EXPECT_EQ(Call(*gadget, "Scale", MemberKind::Method, {{Variant(2.5)}, {Variant::Missing()}}),
            Variant(Short{5}));
  // A method answers a get, as automation calls with both flags.
  EXPECT_EQ(Call(*gadget, "Scale", MemberKind::Get, {{Variant(true)}, {Variant("10")}}),
            Variant(Short{8}));
  // Counts, omitted required arguments and values that do not fit: the C
  // interface's table of mistaken calls.

  std::vector<Argument> none, key = {{Variant(3)}};  // the default member's optional variant
  EXPECT_EQ(Invoke(*gadget, kDispIdValue, MemberKind::Get, none), Variant("missing"));
  EXPECT_EQ(Invoke(*gadget, kDispIdValue, MemberKind::Method, key), Variant(3));
}

TEST(DispatchTest, ByReferenceArgumentsReceiveWhatTheCalleeLeaves) {
  auto gadget = MakeRef<Gadget>();
  Call(*gadget, "Name", MemberKind::Let, {{Variant("G1")}});
  std::vector<Argument> args = {{Variant("p:")}, {Variant(""), true}};
  EXPECT_EQ(Invoke(*gadget, MethodId(4), MemberKind::Method, args), Variant("p:K#G1"));
  EXPECT_EQ(args[1].value, Variant("K#G1"));
  std::vector<Argument> by_value = {{Variant("p:")}, {Variant("")}, {Variant(1)}};
  EXPECT_EQ(Invoke(*gadget, MethodId(4), MemberKind::Method, by_value), Variant("p:!K#G1"));
  EXPECT_EQ(by_value[1].value, Variant(""));  // a copy was changed, not the caller's value
  std::vector<Argument> number = {{Variant("p:")}, {Variant(7), true}};
  EXPECT_EQ(Invoke(*gadget, MethodId(4), MemberKind::Method, number), Variant("p:7"));
  EXPECT_EQ(number[1].value, Variant("7"));  // written back as the declared type
}

TEST(DispatchTest, EnumeratorsHandOutTheirMembersOnce) {
  const auto enumerator = MakeRef<Gadget>()->NewEnum();
  EXPECT_TRUE(enumerator->Supports(iid::kIEnumVARIANT));
  EXPECT_EQ(enumerator->Next(5), (std::vector<Variant>{"a", "b"}));
  EXPECT_TRUE(enumerator->Next(1).empty());
  enumerator->Reset();
  EXPECT_FALSE(enumerator->Skip(3));
}

class CountingSink final : public EventSink {
 public:
  void OnEvent(DispId id, const std::vector<Variant>&) override { fired.push_back(id); }
  std::vector<DispId> fired;
};

TEST(DispatchTest, EventsReachEveryConnectedSinkSynchronously) {
  auto gadget = MakeRef<Gadget>();
  auto first = MakeRef<CountingSink>(), second = MakeRef<CountingSink>();
  ConnectionPoint& events = *gadget->Events();
  const Long one = events.Advise(first);
  const Long two = events.Advise(second);
  gadget->SetName("a");
  events.Unadvise(one);
  gadget->SetName("b");
  EXPECT_EQ(first->fired, (std::vector<DispId>{1}));
  EXPECT_EQ(second->fired, (std::vector<DispId>{1, 1}));
  EXPECT_EQ(ErrorOf([&] { events.Unadvise(one); }).first, kInvalidProcedureCall);
  events.Unadvise(two);
  EXPECT_EQ(events.Connections(), 0u);
}

}  // namespace
}  // namespace lombar
