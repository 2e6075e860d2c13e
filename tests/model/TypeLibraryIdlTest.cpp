// The type library's IDL (tools/typelib), which the Windows build compiles
// and embeds: each type and member as IDL writes it, and every class of the
// class table with its identifiers and members in slot order.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "IdlWriter.h"
#include "frame/TypeLibrary.h"

namespace lombar {
namespace {

std::string Bare(const Guid& guid) {
  const std::string text = guid.ToString();
  return text.substr(1, text.size() - 2);
}

TEST(TypeLibraryIdl, NamesEachAutomationTypeAsIdlDoes) {
  struct Case {
    ParamType type;
    std::string_view object_class;
    std::string_view idl;
  };
  // clang-format off
  const Case cases[] = {
      {ParamType::Variant, "", "VARIANT"}, {ParamType::Text, "", "BSTR"}, {ParamType::I4, "", "long"},
      {ParamType::I2, "", "short"}, {ParamType::Bool, "", "VARIANT_BOOL"}, {ParamType::Single, "", "float"},
      {ParamType::Double, "", "double"}, {ParamType::Currency, "", "CURRENCY"}, {ParamType::Date, "", "DATE"},
      {ParamType::Unknown, "", "IUnknown*"}, {ParamType::Object, "ICatItem", "_ICatItem*"},
      // Classes outside the type library, and any object, are plain IDispatch.
      {ParamType::Object, "Collection", "IDispatch*"}, {ParamType::Object, "", "IDispatch*"}};
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(IdlTypeName(c.type, c.object_class), c.idl) << c.object_class;
  }
}

Member MakeMember(std::string name, MemberKind kind, DispId id, ParamType result,
                  std::vector<Param> params) {
  Member member;
  member.name = std::move(name);
  member.kind = kind;
  member.dispid = id;
  member.result = result;
  member.params = std::move(params);
  return member;
}

TEST(TypeLibraryIdl, WritesEachKindOfMember) {
  Param key{"sKey", ParamType::Text, {}, true, true, Variant("")};
  Param index{"vntIndexKey", ParamType::Variant, {}, false, true, Variant::Missing()};
  Param flag{"xbDestroyObject", ParamType::Bool, {}, false, true, Variant(false)};
  Param value{"RHS", ParamType::Currency, {}, false, false, Variant::Missing()};
  Member enumerator =
      MakeMember("NewEnum", MemberKind::Get, kDispIdNewEnum, ParamType::Unknown, {});
  enumerator.hidden = true;
  struct Case {
    Member member;
    std::string_view idl;
  };
  const Case cases[] = {
      {MakeMember("Count", MemberKind::Get, PropertyId(0), ParamType::I4, {}),
       "[id(0x68030000), propget] HRESULT Count([out, retval] long* RHS);\n"},
      {MakeMember("Cost", MemberKind::Let, PropertyId(5), ParamType::Void, {value}),
       "[id(0x68030005), propput] HRESULT Cost([in] CURRENCY RHS);\n"},
      {MakeMember("Clear", MemberKind::Method, MethodId(8), ParamType::Void, {flag}),
       "[id(0x60030008)] HRESULT Clear([in, defaultvalue(0)] VARIANT_BOOL xbDestroyObject);\n"},
      {MakeMember("Exists", MemberKind::Method, MethodId(4), ParamType::Bool, {index, key}),
       "[id(0x60030004)] HRESULT Exists([in, optional] VARIANT vntIndexKey, "
       "[in, out, optional] BSTR* sKey, [out, retval] VARIANT_BOOL* RHS);\n"},
      {enumerator,
       "[id(0xfffffffc), propget, hidden, restricted] HRESULT NewEnum([out, retval] IUnknown** "
       "RHS);\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IdlMember(c.member), c.idl);
  }
}

TEST(TypeLibraryIdl, DescribesTheLibraryAndEveryClassOfTheTable) {
  const std::string idl = TypeLibraryIdl();
  EXPECT_NE(
      idl.find("uuid(C22212ED-5E03-4D43-8768-ABCEC1568719),\n  version(1.2),\n  lcid(0x409)\n]\n"
               "library qorkwz_LOMBARv3\n"),
      std::string::npos);
  ASSERT_EQ(CreatableClasses().size(), 20u);
  for (const ClassInfo* info : CreatableClasses()) {
    SCOPED_TRACE(info->name);
    const std::size_t interface = idl.find("[uuid(" + Bare(info->iid) +
                                           "), hidden, dual, nonextensible, oleautomation]\n"
                                           "  interface " +
                                           info->InterfaceName() + " : IDispatch {\n");
    ASSERT_NE(interface, std::string::npos);
    const std::size_t end = idl.find("  };\n", interface);
    std::size_t position = interface;
    for (const Member& member : info->members) {
      position = idl.find("    " + IdlMember(member), position);
      EXPECT_LT(position, end) << member.name << " missing or out of slot order";
    }
    for (const Guid& earlier : info->earlier_iids) {
      EXPECT_NE(idl.find("typedef [uuid(" + Bare(earlier) + "), public] " + info->InterfaceName()),
                std::string::npos);
    }
    std::string coclass = "[uuid(" + Bare(info->clsid) + ")]\n  coclass " + info->name + " {\n" +
                          "    [default] interface " + info->InterfaceName() + ";\n";
    if (info->events)
      coclass += "    [default, source] dispinterface " + info->events->name + ";\n";
    EXPECT_NE(idl.find(coclass + "  };\n"), std::string::npos);
  }
  EXPECT_NE(idl.find("[uuid(4D5F34A8-79C7-48CE-B742-496455987CF6), hidden]\n"
                     "  dispinterface __ICatItemCol {\n    properties:\n    methods:\n"
                     "      [id(0x00000001)] void CountChanged();\n  };\n"),
            std::string::npos);
  for (const Enumeration& enumeration : Enumerations()) {
    for (const Constant& constant : enumeration.constants) {
      EXPECT_NE(
          idl.find("    " + std::string(constant.name) + " = " + std::to_string(constant.value)),
          std::string::npos)
          << constant.name;
    }
  }
  EXPECT_NE(idl.find("    qCCISdscCostHiLo = 2,\n"), std::string::npos);
}

}  // namespace
}  // namespace lombar
