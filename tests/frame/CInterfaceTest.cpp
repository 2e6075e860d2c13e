// The C interface drives objects the way the Python package does; the
// package's own tests cover the rest of it (events, type information,
// constants, class ids, registration).
#include "lombar/lombar.h"

#include <gtest/gtest.h>

#include <string>

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

class CInterfaceTest : public ::testing::Test {
 protected:
  lombar_hresult Call(const char* name, uint16_t flags, lombar_variant* args, uint32_t count,
                      lombar_variant* result = nullptr) {
    int32_t dispid = 0;
    EXPECT_EQ(lombar_get_id_of_name(object_, name, &dispid), LOMBAR_S_OK) << name;
    return lombar_invoke(object_, dispid, flags, args, count, result);
  }

  const Ref<Gadget> gadget_ = MakeRef<Gadget>();
  lombar_object* const object_ =
      reinterpret_cast<lombar_object*>(static_cast<Object*>(gadget_.Get()));
};

TEST_F(CInterfaceTest, ArgumentsTravelReversedAndByReferenceOnesComeBack) {
  OwnedVariant name("G7");
  ASSERT_EQ(Call("name", LOMBAR_DISPATCH_PROPERTYPUT, &name.value, 1), LOMBAR_S_OK);
  OwnedVariant key(""), prefix("p:"), result;
  lombar_variant by_ref{};
  by_ref.vt = LOMBAR_VT_BYREF | LOMBAR_VT_VARIANT;
  by_ref.value.byref = &key.value;
  lombar_variant args[2] = {by_ref, prefix.value};  // last argument first
  ASSERT_EQ(Call("Label", LOMBAR_DISPATCH_METHOD, args, 2, &result.value), LOMBAR_S_OK);
  EXPECT_EQ(result.Text(), "p:K#G7");
  EXPECT_EQ(key.Text(), "K#G7");

  OwnedVariant listed;  // an enumerator is no dispatch object
  ASSERT_EQ(lombar_invoke(object_, -4, LOMBAR_DISPATCH_PROPERTYGET, nullptr, 0, &listed.value),
            LOMBAR_S_OK);
  EXPECT_EQ(listed.value.vt, LOMBAR_VT_UNKNOWN);
  const char* member = nullptr;
  int32_t kind = 0, dispid = 0;
  uint32_t params = 0, optional = 0;
  ASSERT_EQ(lombar_member(object_, 3, &member, &kind, &dispid, &params, &optional), LOMBAR_S_OK);
  EXPECT_EQ(std::string(member) + " " + std::to_string(params) + " " + std::to_string(optional),
            "Label 3 2");
}

TEST_F(CInterfaceTest, FailuresLeaveErrorInformation) {
  OwnedVariant big(40000);
  EXPECT_EQ(Call("Scale", LOMBAR_DISPATCH_METHOD, &big.value, 1), LOMBAR_DISP_E_EXCEPTION);
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

}  // namespace
}  // namespace lombar
