#include "lombar/lombar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/Gadget.h"

namespace lombar {
namespace {

using testing::Gadget;

// A variant the test owns, freed when it goes.
struct OwnedVariant {
  lombar_variant value{};
  OwnedVariant() = default;
  explicit OwnedVariant(std::string_view text) {
    value.vt = LOMBAR_VT_BSTR;
    value.value.bstr = lombar_string_alloc(text.data(), static_cast<uint32_t>(text.size()));
  }
  explicit OwnedVariant(int32_t number) {
    value.vt = LOMBAR_VT_I4;
    value.value.i4 = number;
  }
  ~OwnedVariant() { lombar_variant_clear(&value); }
  std::string Text() const {
    return std::string(value.value.bstr, lombar_string_length(value.value.bstr));
  }
};

lombar_object* Handle(const Ref<Gadget>& gadget) {
  return reinterpret_cast<lombar_object*>(static_cast<Object*>(gadget.Get()));
}

int32_t IdOf(lombar_object* object, const char* name) {
  int32_t dispid = 0;
  EXPECT_EQ(lombar_get_id_of_name(object, name, &dispid), LOMBAR_S_OK);
  return dispid;
}

TEST(CInterfaceTest, ArgumentsTravelReversedAndByReferenceOnesComeBack) {
  const auto gadget = MakeRef<Gadget>();
  lombar_object* object = Handle(gadget);
  OwnedVariant name("G7");
  ASSERT_EQ(lombar_invoke(object, IdOf(object, "name"), LOMBAR_DISPATCH_PROPERTYPUT, &name.value, 1,
                          nullptr),
            LOMBAR_S_OK);
  EXPECT_EQ(gadget->Name(), "G7");

  OwnedVariant key(""), prefix("p:");
  lombar_variant by_ref{};
  by_ref.vt = LOMBAR_VT_BYREF | LOMBAR_VT_VARIANT;
  by_ref.value.byref = &key.value;
  lombar_variant args[2] = {by_ref, prefix.value};  // last argument first
  OwnedVariant result;
  ASSERT_EQ(
      lombar_invoke(object, IdOf(object, "Label"), LOMBAR_DISPATCH_METHOD, args, 2, &result.value),
      LOMBAR_S_OK);
  EXPECT_EQ(result.Text(), "p:K#G7");
  EXPECT_EQ(key.Text(), "K#G7");
}

TEST(CInterfaceTest, FailuresLeaveErrorInformation) {
  const auto gadget = MakeRef<Gadget>();
  lombar_object* object = Handle(gadget);
  int32_t dispid = 0;
  EXPECT_EQ(lombar_get_id_of_name(object, "Missing", &dispid), LOMBAR_DISP_E_UNKNOWNNAME);

  OwnedVariant big(40000);
  EXPECT_EQ(
      lombar_invoke(object, IdOf(object, "Scale"), LOMBAR_DISPATCH_METHOD, &big.value, 1, nullptr),
      LOMBAR_DISP_E_EXCEPTION);
  int32_t number = 0;
  char* source = nullptr;
  char* description = nullptr;
  ASSERT_EQ(lombar_error_info(&number, &source, &description), LOMBAR_S_OK);
  EXPECT_EQ(number, 6);
  EXPECT_STREQ(description, "Overflow");
  EXPECT_STREQ(source, "qorkwz_LOMBARv3");
  lombar_string_free(source);
  lombar_string_free(description);

  lombar_object* created = nullptr;
  EXPECT_LT(lombar_create("NoSuchClass", &created), 0);
  ASSERT_EQ(lombar_error_info(&number, nullptr, nullptr), LOMBAR_S_OK);
  EXPECT_EQ(number, 429);
  EXPECT_EQ(created, nullptr);
}

void CountEvent(void* context, int32_t dispid, const lombar_variant*, uint32_t count) {
  static_cast<std::vector<int32_t>*>(context)->push_back(dispid * 10 + static_cast<int32_t>(count));
}

TEST(CInterfaceTest, EnumeratorsEventsAndIdentity) {
  const auto gadget = MakeRef<Gadget>();
  lombar_object* object = Handle(gadget);
  OwnedVariant listed;
  ASSERT_EQ(lombar_invoke(object, -4, LOMBAR_DISPATCH_PROPERTYGET, nullptr, 0, &listed.value),
            LOMBAR_S_OK);
  EXPECT_EQ(listed.value.vt, LOMBAR_VT_UNKNOWN);
  std::string seen;
  for (OwnedVariant item;
       lombar_enum_next(listed.value.value.object, &item.value) == LOMBAR_S_OK;) {
    seen += item.Text();
    lombar_variant_clear(&item.value);
  }
  EXPECT_EQ(seen, "ab");

  std::vector<int32_t> events;
  uint32_t cookie = 0;
  ASSERT_EQ(lombar_advise(object, &CountEvent, &events, &cookie), LOMBAR_S_OK);
  gadget->SetName("x");
  ASSERT_EQ(lombar_unadvise(object, cookie), LOMBAR_S_OK);
  gadget->SetName("y");
  EXPECT_EQ(events, (std::vector<int32_t>{10}));
  EXPECT_NE(lombar_unadvise(object, cookie), LOMBAR_S_OK);

  const char* event = nullptr;
  int32_t event_id = 0;
  ASSERT_EQ(lombar_event_member(object, 0, &event, &event_id), LOMBAR_S_OK);
  EXPECT_STREQ(event, "Renamed");
  EXPECT_EQ(event_id, 1);
  EXPECT_EQ(lombar_event_member(object, 1, &event, &event_id), LOMBAR_E_INVALIDARG);

  EXPECT_STREQ(lombar_class_name(object), "Gadget");
  EXPECT_EQ(lombar_member_count(object), gadget->Class().members.size());
  const char* name = nullptr;
  int32_t kind = 0, dispid = 0;
  uint32_t params = 0, optional = 0;
  ASSERT_EQ(lombar_member(object, 5, &name, &kind, &dispid, &params, &optional), LOMBAR_S_OK);
  EXPECT_STREQ(name, "Label");
  EXPECT_EQ(kind, LOMBAR_DISPATCH_METHOD);
  EXPECT_EQ(params, 3u);
  EXPECT_EQ(optional, 2u);

  lombar_guid dispatch{};
  ASSERT_EQ(lombar_guid_parse("{00020400-0000-0000-c000-000000000046}", &dispatch), LOMBAR_S_OK);
  EXPECT_EQ(lombar_query_interface(object, &dispatch), LOMBAR_S_OK);
  char text[39];
  lombar_guid_format(&dispatch, text);
  EXPECT_STREQ(text, "{00020400-0000-0000-C000-000000000046}");
}

TEST(CInterfaceTest, TypeLibraryAndConstants) {
  const char* name = nullptr;
  uint16_t major = 0, minor = 0;
  uint32_t lcid = 0;
  lombar_guid guid{};
  lombar_typelib(&name, &guid, &major, &minor, &lcid);
  char text[39];
  lombar_guid_format(&guid, text);
  EXPECT_STREQ(name, "qorkwz_LOMBARv3");
  EXPECT_STREQ(text, "{C22212ED-5E03-4D43-8768-ABCEC1568719}");
  EXPECT_EQ(major * 10 + minor, 12);
  EXPECT_EQ(lcid, 0x409u);
  ASSERT_EQ(lombar_constant_count(), 21u);
  const char* enumeration = nullptr;
  int32_t value = 0;
  ASSERT_EQ(lombar_constant(9, &enumeration, &name, &value), LOMBAR_S_OK);
  EXPECT_STREQ(enumeration, "qorCatColItemSort");
  EXPECT_STREQ(name, "qCCISdscCostHiLo");
  EXPECT_EQ(value, 2);
  EXPECT_NE(lombar_constant(21, &enumeration, &name, &value), LOMBAR_S_OK);

  lombar_guid unknown{};
  lombar_guid_parse("{12345678-0000-0000-0000-000000000000}", &unknown);
  void* factory = nullptr;
  EXPECT_EQ(DllGetClassObject(&unknown, &unknown, &factory), LOMBAR_CLASS_E_CLASSNOTAVAILABLE);
}

}  // namespace
}  // namespace lombar
