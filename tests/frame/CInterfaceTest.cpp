// The C interface drives objects the way the Python package does; the
// package's own tests cover the rest of it (the calling convention, events,
// type information, constants, class ids, registration). Here: what the
// package does not show of parameters and results, the codes and error
// information of failures, and every function's answer to the mistaken
// arguments a caller can make.
#include "lombar/lombar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <tuple>
#include <vector>

#include "TestSupport.h"
#include "frame/Apartment.h"
#include "frame/Gadget.h"
#include "lombar/Enumerator.h"

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
};

lombar_variant Reference(lombar_variant* target) {
  lombar_variant reference{};
  reference.vt = LOMBAR_VT_BYREF | LOMBAR_VT_VARIANT;
  reference.value.byref = target;
  return reference;
}

lombar_object* HandleOf(Object& object) {
  return reinterpret_cast<lombar_object*>(&object);
}

// A new handle the caller owns.
lombar_object* Handed(const Ref<Object>& object) {
  object->AddRef();
  return HandleOf(*object);
}

class CInterfaceTest : public ::testing::Test {
 protected:
  int32_t IdOf(const char* name) {
    int32_t dispid = 0;
    EXPECT_EQ(lombar_get_id_of_name(object_, name, &dispid), LOMBAR_S_OK) << name;
    return dispid;
  }
  lombar_hresult Call(const char* name, uint16_t flags, lombar_variant* args, uint32_t count,
                      lombar_variant* result = nullptr) {
    return lombar_invoke(object_, IdOf(name), flags, args, count, result);
  }

  const Ref<Gadget> gadget_ = MakeRef<Gadget>();
  lombar_object* const object_ = HandleOf(*gadget_);
};

// References, text and boolean defaults and the results of lets show in the
// Python package's help texts; here the number default and an optional
// parameter without one. Each parameter reads "name vt flags =default"; the
// result has no name.
TEST_F(CInterfaceTest, ParametersTellTypesReferencesAndDefaults) {
  const auto describe = [&](uint32_t member) {
    uint32_t params = 0, optional = 0;
    EXPECT_EQ(lombar_member(object_, member, nullptr, nullptr, nullptr, &params, &optional),
              LOMBAR_S_OK);
    std::vector<std::string> rows;
    for (uint32_t param = 0; param <= params; ++param) {
      const char* name = nullptr;
      const char* of_class = "unchanged";
      uint16_t vt = 0;
      uint32_t flags = 0;
      OwnedVariant fallback;
      EXPECT_EQ(lombar_member_param(object_, member, param, &name, &vt, &of_class, &flags,
                                    &fallback.value),
                LOMBAR_S_OK);
      EXPECT_EQ(of_class, nullptr) << "no parameter of a gadget takes an object";
      rows.push_back(std::string(name ? name : "(result)") + " " + std::to_string(vt) + " " +
                     std::to_string(flags) + " =" +
                     (fallback.value.vt == LOMBAR_VT_I4 ? std::to_string(fallback.value.value.i4) : ""));
      optional -= (flags & LOMBAR_PARAMFLAG_OPT) != 0;
    }
    EXPECT_EQ(optional, 0u) << "the member's count of optional parameters";
    return rows;
  };
  // vt 2 Short, 3 Long, 12 Variant; flags 16 optional, 48 optional with a default.
  EXPECT_EQ(describe(2), (std::vector<std::string>{"factor 2 0 =", "offset 3 48 =1", "(result) 2 0 ="}));
  EXPECT_EQ(describe(4), (std::vector<std::string>{"index 12 16 =", "(result) 12 0 ="}));
}

// Help texts by member index (-1: the class), an accessor without a text of
// its own showing its property's; and the names the help gives types.
TEST_F(CInterfaceTest, HelpTextsAndTypeNames) {
  const std::pair<int32_t, const char*> texts[] = {
      {-1, "A test object."}, {0, "Its name."}, {1, "Its name."}, {2, ""}, {6, nullptr},
      {-2, nullptr}};
  for (const auto& [index, text] : texts) EXPECT_STREQ(lombar_help(object_, index), text) << index;
  const std::pair<uint16_t, const char*> names[] = {
      {LOMBAR_VT_I2, "Short"},        {LOMBAR_VT_UNKNOWN, "IUnknown"},
      {LOMBAR_VT_DISPATCH, "Object"}, {LOMBAR_VT_BSTR | LOMBAR_VT_BYREF, "String"},
      {LOMBAR_VT_EMPTY, ""},          {LOMBAR_VT_ERROR, nullptr}};
  for (const auto& [vt, name] : names) EXPECT_STREQ(lombar_type_name(vt), name) << vt;
}

TEST_F(CInterfaceTest, AnEnumeratorTravelsAsUnknownForItIsNoDispatchObject) {
  OwnedVariant listed;
  ASSERT_EQ(lombar_invoke(object_, -4, LOMBAR_DISPATCH_PROPERTYGET, nullptr, 0, &listed.value),
            LOMBAR_S_OK);
  EXPECT_EQ(listed.value.vt, LOMBAR_VT_UNKNOWN);
}

TEST_F(CInterfaceTest, FailuresLeaveErrorInformation) {
  // The same error from the member and from an argument that does not fit:
  // the code tells which.
  OwnedVariant half(20000), big(40000);
  EXPECT_EQ(Call("Scale", LOMBAR_DISPATCH_METHOD, &half.value, 1), LOMBAR_DISP_E_EXCEPTION);
  EXPECT_EQ(Call("Scale", LOMBAR_DISPATCH_METHOD, &big.value, 1), LOMBAR_DISP_E_OVERFLOW);
  int32_t number = 0;
  char* source = nullptr;
  char* description = nullptr;
  ASSERT_EQ(lombar_error_info(&number, &source, &description), LOMBAR_S_OK);
  EXPECT_EQ(number, 6);
  EXPECT_STREQ(description, "Overflow");
  EXPECT_STREQ(source, "qorkwz_LOMBARv3");
  lombar_string_free(source);
  lombar_string_free(description);
  // A success leaves none (each refused call leaves its own: the table below).
  OwnedVariant name("G8");
  ASSERT_EQ(Call("Name", LOMBAR_DISPATCH_PROPERTYPUT, &name.value, 1), LOMBAR_S_OK);
  EXPECT_EQ(lombar_error_info(&number, nullptr, nullptr), LOMBAR_S_FALSE);
}

// One mistaken call: the function, the call, and what it must answer. Rows of
// functions without an HRESULT answer S_OK when they did the harmless thing
// (nothing, null, zero).
struct BadCall {
  std::string_view function;
  std::function<lombar_hresult()> call;
  lombar_hresult expected;
};

lombar_hresult HarmlessWhen(bool harmless) {
  return harmless ? LOMBAR_S_OK : LOMBAR_E_FAIL;
}

// The functions lombar.h declares: every statement that is no typedef and
// names something before a "(".
std::set<std::string> DeclaredFunctions() {
  const std::string code = std::regex_replace(
      testing::ReadFile(std::filesystem::path(LOMBAR_INCLUDE_DIR) / "lombar" / "lombar.h"),
      std::regex(R"(/\*[\s\S]*?\*/|(^|\n)#[^\n]*)"), "\n");  // comments, preprocessor lines
  static const std::regex named(R"(([A-Za-z_]\w*)\s*\()");
  std::set<std::string> names;
  for (std::size_t start = 0, end; (end = code.find(';', start)) != std::string::npos;
       start = end + 1) {
    const std::string statement = code.substr(start, end - start);
    std::smatch name;
    if (statement.find("typedef") == std::string::npos && std::regex_search(statement, name, named))
      names.insert(name[1]);
  }
  return names;
}

TEST_F(CInterfaceTest, EveryFunctionRefusesMistakenArgumentsWithAutomationsCode) {
  const Ref<Enumerator> walker = MakeRef<Enumerator>(std::vector<Variant>{Variant("a")});
  lombar_object* const enumerator = HandleOf(*walker);
  lombar_guid clsid{}, iid{}, guid{};
  ASSERT_EQ(lombar_class_ids("ICatInfoCol", &clsid, nullptr), LOMBAR_S_OK);
  ASSERT_EQ(lombar_guid_parse("{00000000-0000-0000-C000-000000000046}", &iid), LOMBAR_S_OK);
  void* made = nullptr;
  ASSERT_EQ(DllGetClassObject(&clsid, &iid, &made), LOMBAR_S_OK);
  lombar_object* const factory = static_cast<lombar_object*>(made);
  lombar_object* object = nullptr;
  lombar_variant item{};
  int32_t number = 0;
  uint32_t cookie = 0;
  const int32_t scale = IdOf("Scale"), label = IdOf("Label");
  const lombar_event_callback ignore = [](void*, int32_t, const lombar_variant*, uint32_t) {};

  // Calls a method with the caller's variants (last first), telling `count` of them.
  const auto invoke = [&](int32_t dispid, std::vector<lombar_variant> args,
                          std::optional<uint32_t> count = std::nullopt) {
    OwnedVariant result;
    return lombar_invoke(object_, dispid, LOMBAR_DISPATCH_METHOD, args.data(),
                         count.value_or(static_cast<uint32_t>(args.size())), &result.value);
  };
  const auto typed = [](uint16_t vt) {
    lombar_variant value{};
    value.vt = vt;
    return value;
  };
  lombar_variant self = Reference(nullptr), ring_a{}, ring_b{}, prefix = typed(LOMBAR_VT_BSTR);
  self.value.byref = &self;
  ring_a = Reference(&ring_b);
  ring_b = Reference(&ring_a);
  lombar_variant missing = typed(LOMBAR_VT_ERROR), not_a_number = typed(LOMBAR_VT_R8);
  missing.value.scode = kParamNotFound;
  not_a_number.value.r8 = std::nan("");
  char text[39] = "unchanged";
  // Objects of a thread that has ended, which no other thread may use.
  lombar_object *foreign = nullptr, *foreign_walker = nullptr, *foreign_factory = nullptr;
  testing::InFreshThread([&] {
    foreign = Handed(MakeRef<Gadget>());
    foreign_walker = Handed(MakeRef<Enumerator>(std::vector<Variant>{Variant("a")}));
    ASSERT_EQ(DllGetClassObject(&clsid, &iid, &made), LOMBAR_S_OK);
    foreign_factory = static_cast<lombar_object*>(made);
  });
  lombar_variant foreign_argument = typed(LOMBAR_VT_DISPATCH);
  foreign_argument.value.object = foreign;

  const auto member = [](lombar_object* of, uint32_t index) {
    return lombar_member(of, index, nullptr, nullptr, nullptr, nullptr, nullptr);
  };
  const auto param = [](lombar_object* of, uint32_t index, uint32_t position) {
    return lombar_member_param(of, index, position, nullptr, nullptr, nullptr, nullptr, nullptr);
  };
  const auto scale_with = [&](lombar_variant arg, std::optional<uint32_t> count = std::nullopt) {
    return invoke(scale, {arg}, count);
  };
  const auto call_with = [&](lombar_object* of, uint32_t count) {
    return lombar_invoke(of, scale, LOMBAR_DISPATCH_METHOD, nullptr, count, nullptr);
  };

  // clang-format off
  constexpr lombar_hresult kOk = LOMBAR_S_OK, kPointer = LOMBAR_E_POINTER, kInvalid = LOMBAR_E_INVALIDARG,
      kNoInterface = LOMBAR_E_NOINTERFACE, kBadType = LOMBAR_DISP_E_BADVARTYPE, kBadCount = LOMBAR_DISP_E_BADPARAMCOUNT,
      kWrongThread = LOMBAR_RPC_E_WRONG_THREAD;
  const std::vector<BadCall> calls = {
      {"DllGetClassObject", [&] { return DllGetClassObject(nullptr, &iid, &made); }, kPointer},
      {"DllGetClassObject", [&] { return DllGetClassObject(&clsid, nullptr, &made); }, kPointer},
      {"DllGetClassObject", [&] { return DllGetClassObject(&clsid, &iid, nullptr); }, kPointer},
      {"DllGetClassObject", [&] { return DllGetClassObject(&iid, &iid, &made); }, LOMBAR_CLASS_E_CLASSNOTAVAILABLE},
      {"DllCanUnloadNow", nullptr, kOk},  // no arguments
      {"DllRegisterServer", nullptr, kOk},
      {"DllUnregisterServer", nullptr, kOk},
      {"lombar_factory_create", [&] { return lombar_factory_create(nullptr, &object); }, kPointer},
      {"lombar_factory_create", [&] { return lombar_factory_create(factory, nullptr); }, kPointer},
      {"lombar_factory_create", [&] { return lombar_factory_create(object_, &object); }, kNoInterface},
      {"lombar_factory_create", [&] { return lombar_factory_create(foreign_factory, &object); }, kWrongThread},
      {"lombar_factory_lock", [&] { return lombar_factory_lock(nullptr, 1); }, kPointer},
      {"lombar_factory_lock", [&] { return lombar_factory_lock(object_, 1); }, kNoInterface},
      {"lombar_factory_lock", [&] { return lombar_factory_lock(foreign_factory, 1); }, kWrongThread},
      {"lombar_create", [&] { return lombar_create(nullptr, &object); }, kPointer},
      {"lombar_create", [&] { return lombar_create("ICatInfo", nullptr); }, kPointer},
      {"lombar_addref", [] { return lombar_addref(nullptr), kOk; }, kOk},
      {"lombar_release", [] { return lombar_release(nullptr), kOk; }, kOk},
      {"lombar_query_interface", [&] { return lombar_query_interface(nullptr, &iid); }, kPointer},
      {"lombar_query_interface", [&] { return lombar_query_interface(object_, nullptr); }, kPointer},
      {"lombar_query_interface", [&] { return lombar_query_interface(foreign, &iid); }, kWrongThread},
      {"lombar_get_id_of_name", [&] { return lombar_get_id_of_name(nullptr, "Name", &number); }, kPointer},
      {"lombar_get_id_of_name", [&] { return lombar_get_id_of_name(object_, nullptr, &number); }, kPointer},
      {"lombar_get_id_of_name", [&] { return lombar_get_id_of_name(object_, "Name", nullptr); }, kPointer},
      {"lombar_get_id_of_name", [&] { return lombar_get_id_of_name(enumerator, "Name", &number); }, kNoInterface},
      {"lombar_get_id_of_name", [&] { return lombar_get_id_of_name(foreign, "Name", &number); }, kWrongThread},
      {"lombar_invoke", [&] { return call_with(nullptr, 0); }, kPointer},
      {"lombar_invoke", [&] { return call_with(object_, 1); }, kPointer},  // no array for a count
      {"lombar_invoke", [&] { return call_with(enumerator, 0); }, kNoInterface},
      {"lombar_invoke", [&] { return call_with(foreign, 0); }, kWrongThread},
      {"lombar_invoke", [&] { return lombar_invoke(object_, 0, LOMBAR_DISPATCH_PROPERTYGET, &foreign_argument, 1, nullptr); }, kWrongThread},
      {"lombar_invoke", [&] { return invoke(424242, {typed(LOMBAR_VT_I4)}); }, LOMBAR_DISP_E_MEMBERNOTFOUND},
      // Counts a caller gets wrong, the large ones past the end of the array.
      {"lombar_invoke", [&] { return scale_with(typed(LOMBAR_VT_I4), 0); }, kBadCount},
      {"lombar_invoke", [&] { return scale_with(typed(LOMBAR_VT_I4), 3); }, kBadCount},
      {"lombar_invoke", [&] { return scale_with(typed(LOMBAR_VT_I4), 0x7FFFFFFF); }, kBadCount},
      {"lombar_invoke", [&] { return scale_with(typed(LOMBAR_VT_I4), 0xFFFFFFFF); }, kBadCount},
      // By-reference arguments without a variant, or pointing at references.
      {"lombar_invoke", [&] { return invoke(label, {Reference(nullptr), prefix}); }, kPointer},
      {"lombar_invoke", [&] { return invoke(label, {self, prefix}); }, kInvalid},
      {"lombar_invoke", [&] { return invoke(label, {ring_a, prefix}); }, kInvalid},
      {"lombar_invoke", [&] { return invoke(label, {Reference(&self), prefix}); }, kInvalid},
      // Types the library does not know, and values that do not fit.
      {"lombar_invoke", [&] { return scale_with(typed(14)); }, kBadType},
      {"lombar_invoke", [&] { return scale_with(typed(LOMBAR_VT_VARIANT)); }, kBadType},
      {"lombar_invoke", [&] { return scale_with(typed(LOMBAR_VT_BYREF | LOMBAR_VT_I4)); }, kBadType},
      {"lombar_invoke", [&] { return scale_with(typed(0x2000 | LOMBAR_VT_I4)); }, kBadType},
      {"lombar_invoke", [&] { return scale_with(typed(0xFFFF)); }, kBadType},
      {"lombar_invoke", [&] { return scale_with(typed(LOMBAR_VT_BSTR)); }, LOMBAR_DISP_E_TYPEMISMATCH},  // null text
      {"lombar_invoke", [&] { return scale_with(not_a_number); }, LOMBAR_DISP_E_OVERFLOW},
      {"lombar_invoke", [&] { return scale_with(missing); }, LOMBAR_DISP_E_PARAMNOTOPTIONAL},
      {"lombar_enum_next", [&] { return lombar_enum_next(nullptr, &item); }, kPointer},
      {"lombar_enum_next", [&] { return lombar_enum_next(enumerator, nullptr); }, kPointer},
      {"lombar_enum_next", [&] { return lombar_enum_next(object_, &item); }, kNoInterface},
      {"lombar_enum_next", [&] { return lombar_enum_next(foreign_walker, &item); }, kWrongThread},
      {"lombar_enum_reset", [] { return lombar_enum_reset(nullptr); }, kPointer},
      {"lombar_enum_reset", [&] { return lombar_enum_reset(object_); }, kNoInterface},
      {"lombar_enum_reset", [&] { return lombar_enum_reset(foreign_walker); }, kWrongThread},
      {"lombar_error_info", [] { return lombar_error_info(nullptr, nullptr, nullptr); }, kOk},
      {"lombar_advise", [&] { return lombar_advise(nullptr, ignore, nullptr, &cookie); }, kPointer},
      {"lombar_advise", [&] { return lombar_advise(object_, nullptr, nullptr, &cookie); }, kPointer},
      {"lombar_advise", [&] { return lombar_advise(object_, ignore, nullptr, nullptr); }, kPointer},
      {"lombar_advise", [&] { return lombar_advise(enumerator, ignore, nullptr, &cookie); }, kNoInterface},
      {"lombar_advise", [&] { return lombar_advise(foreign, ignore, nullptr, &cookie); }, kWrongThread},
      {"lombar_unadvise", [] { return lombar_unadvise(nullptr, 1); }, kPointer},
      {"lombar_unadvise", [&] { return lombar_unadvise(object_, 12345); }, LOMBAR_CONNECT_E_NOCONNECTION},
      {"lombar_unadvise", [&] { return lombar_unadvise(foreign, 1); }, kWrongThread},
      {"lombar_event_member", [&] { return lombar_event_member(nullptr, 0, nullptr, nullptr); }, kPointer},
      {"lombar_event_member", [&] { return lombar_event_member(object_, 1, nullptr, nullptr); }, kInvalid},
      {"lombar_event_member", [&] { return lombar_event_member(object_, 0, nullptr, nullptr); }, kOk},
      {"lombar_event_member", [&] { return lombar_event_member(foreign, 0, nullptr, nullptr); }, kWrongThread},
      {"lombar_class_name", [] { return HarmlessWhen(lombar_class_name(nullptr) == nullptr); }, kOk},
      {"lombar_class_name", [&] { return HarmlessWhen(lombar_class_name(enumerator) == nullptr); }, kOk},
      // What only the class tells is told on any thread.
      {"lombar_class_name", [&] { return HarmlessWhen(lombar_class_name(foreign) == std::string_view("Gadget")); }, kOk},
      {"lombar_member_count", [&] { return HarmlessWhen(lombar_member_count(foreign) == lombar_member_count(object_)); }, kOk},
      {"lombar_member_count", [] { return HarmlessWhen(lombar_member_count(nullptr) == 0); }, kOk},
      {"lombar_member", [&] { return member(nullptr, 0); }, kPointer},
      {"lombar_member", [&] { return member(object_, 999); }, kInvalid},
      {"lombar_member", [&] { return member(object_, 0); }, kOk},
      {"lombar_member", [&] { return member(foreign, 0); }, kWrongThread},
      {"lombar_member_param", [&] { return param(nullptr, 0, 0); }, kPointer},
      {"lombar_member_param", [&] { return param(enumerator, 0, 0); }, kNoInterface},
      {"lombar_member_param", [&] { return param(object_, 999, 0); }, kInvalid},
      {"lombar_member_param", [&] { return param(object_, 2, 3); }, kInvalid},  // Scale: two and its result
      {"lombar_member_param", [&] { return param(object_, 3, 1); }, kOk},
      {"lombar_type_name", nullptr, kOk},  // no pointer
      {"lombar_help", [] { return HarmlessWhen(lombar_help(nullptr, -1) == nullptr); }, kOk},
      {"lombar_help", [&] { return HarmlessWhen(lombar_help(enumerator, -1) == nullptr); }, kOk},
      {"lombar_help", [&] { return HarmlessWhen(lombar_help(foreign, -1) != nullptr); }, kOk},
      {"lombar_member_param", [&] { return param(foreign, 3, 1); }, kWrongThread},
      {"lombar_class_count", nullptr, kOk},  // no arguments
      {"lombar_class", [] { return lombar_class(0xFFFFFFFF, nullptr); }, kInvalid},
      {"lombar_class", [] { return lombar_class(0, nullptr); }, kOk},
      {"lombar_class_ids", [&] { return lombar_class_ids(nullptr, &guid, &guid); }, kPointer},
      {"lombar_class_ids", [&] { return lombar_class_ids("NoSuchClass", &guid, &guid); }, LOMBAR_CLASS_E_CLASSNOTAVAILABLE},
      {"lombar_class_ids", [] { return lombar_class_ids("ICatInfo", nullptr, nullptr); }, kOk},
      {"lombar_typelib", [] { return lombar_typelib(nullptr, nullptr, nullptr, nullptr, nullptr), kOk; }, kOk},
      {"lombar_constant_count", nullptr, kOk},  // no arguments
      {"lombar_constant", [] { return lombar_constant(0xFFFFFFFF, nullptr, nullptr, nullptr); }, kInvalid},
      {"lombar_constant", [] { return lombar_constant(0, nullptr, nullptr, nullptr); }, kOk},
      {"lombar_guid_parse", [&] { return lombar_guid_parse(nullptr, &guid); }, kPointer},
      {"lombar_guid_parse", [] { return lombar_guid_parse("{00000000-0000-0000-C000-000000000046}", nullptr); }, kPointer},
      {"lombar_guid_parse", [&] { return lombar_guid_parse("{00000000}", &guid); }, kInvalid},
      {"lombar_guid_format", [&] { return lombar_guid_format(nullptr, text), HarmlessWhen(text[0] == '\0'); }, kOk},
      {"lombar_guid_format", [&] { return lombar_guid_format(&guid, nullptr), kOk; }, kOk},
      {"lombar_string_alloc", [] {
         char* zeros = lombar_string_alloc(nullptr, 5);
         const bool harmless = zeros && lombar_string_length(zeros) == 5 &&
                               std::string_view(zeros, 6) == std::string_view("\0\0\0\0\0\0", 6);
         lombar_string_free(zeros);
         return HarmlessWhen(harmless);
       }, kOk},
      {"lombar_convert_json", [] { char* out = nullptr; return lombar_convert_json(nullptr, "{}", 0, &out); }, kPointer},
      {"lombar_convert_json", [] { char* out = nullptr; return lombar_convert_json("ICatInfo", nullptr, 1, &out); }, kPointer},
      {"lombar_convert_json", [] { return lombar_convert_json("ICatInfo", "{}", 0, nullptr); }, kPointer},
      {"lombar_string_length", [] { return HarmlessWhen(lombar_string_length(nullptr) == 0); }, kOk},
      {"lombar_string_free", [] { return lombar_string_free(nullptr), kOk; }, kOk},
      {"lombar_variant_clear", [] { return lombar_variant_clear(nullptr), kOk; }, kOk},
      {"lombar_variant_clear", [&] {
         lombar_variant reference = self;  // a reference owns nothing, itself included
         lombar_variant_clear(&reference);
         return HarmlessWhen(reference.vt == LOMBAR_VT_EMPTY && self.value.byref == &self);
       }, kOk},
  };

  // The runtime error a host shows for each code of a refused call.
  const std::map<lombar_hresult, int32_t> number_of_code = {
      {kPointer, 91}, {kInvalid, 5}, {kNoInterface, 430}, {LOMBAR_CLASS_E_CLASSNOTAVAILABLE, 429},
      {LOMBAR_CONNECT_E_NOCONNECTION, 5}, {LOMBAR_DISP_E_MEMBERNOTFOUND, 438}, {kBadCount, 450},
      {kBadType, 458}, {LOMBAR_DISP_E_TYPEMISMATCH, 13}, {LOMBAR_DISP_E_OVERFLOW, 6},
      {LOMBAR_DISP_E_PARAMNOTOPTIONAL, 449}, {kWrongThread, kWrongThread}};
  // clang-format on
  std::set<std::string> covered;
  for (const BadCall& bad : calls) {
    covered.insert(std::string(bad.function));
    if (!bad.call) continue;
    const std::string row =
        std::string(bad.function) + " row " + std::to_string(&bad - calls.data());
    // An earlier failure, whose error information the call must not leave behind.
    ASSERT_EQ(lombar_create("NoSuchClass", &object), LOMBAR_CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(bad.call(), bad.expected) << row;
    if (bad.expected >= 0) continue;
    EXPECT_EQ(lombar_error_info(&number, nullptr, nullptr), LOMBAR_S_OK) << row;
    EXPECT_EQ(number, number_of_code.at(bad.expected)) << row;
  }
  EXPECT_EQ(covered, DeclaredFunctions()) << "every function of lombar.h needs its rows";
  EXPECT_EQ(object, nullptr);
  for (lombar_object* const handle : {factory, foreign, foreign_walker, foreign_factory})
    lombar_release(handle);
}

// An object that notes the thread and the apartment it is destroyed on, and
// then gives back the handle it holds, if any.
class Witness final : public Object {
 public:
  struct Seen {
    std::thread::id thread;
    std::uint32_t apartment = 0;
  };
  explicit Witness(Seen& seen, lombar_object* held = nullptr) : seen_(seen), held_(held) {}
  ~Witness() override {
    seen_ = {std::this_thread::get_id(), ThisApartment()};
    lombar_release(held_);
  }

 private:
  Seen& seen_;
  lombar_object* held_;
};

// References given back on another thread are given back by the object's own
// thread, at its next call (the Python package's threads test) or as it ends;
// an ended thread's object at once, on a thread that takes its apartment, so
// no living thread's state changes. A reference another thread added, then
// given back here, counts before this thread's releases.
// GCC 12 at -O3 inlines the witness's destructor into the temporary's release
// and reports the count it decremented first as used after the delete.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuse-after-free"
#endif
TEST(CInterfaceThreadsTest, ReleasesOnAnotherThreadAreDoneInTheObjectsApartment) {
  Witness::Seen seen;
  lombar_object* handle = Handed(MakeRef<Witness>(seen));
  testing::InFreshThread([&] { lombar_addref(handle); });
  lombar_release(handle);
  EXPECT_EQ(seen.apartment, 0u) << "released while the other thread's reference was held";
  lombar_release(handle);
  EXPECT_EQ(seen.thread, std::this_thread::get_id());

  Witness::Seen expected;
  seen = {};
  testing::InFreshThread([&] {
    handle = Handed(MakeRef<Witness>(seen));
    testing::InFreshThread([&] { lombar_release(handle); });
    expected = {std::this_thread::get_id(), ThisApartment()};
    EXPECT_EQ(seen.apartment, 0u);
  });
  EXPECT_EQ(std::tuple(seen.thread, seen.apartment), std::tuple(expected.thread, expected.apartment));

  seen = {};
  Witness::Seen inner_seen, innermost_seen;
  lombar_object *inner = nullptr, *innermost = nullptr;
  testing::InFreshThread([&] { innermost = Handed(MakeRef<Witness>(innermost_seen)); });
  testing::InFreshThread([&] { inner = Handed(MakeRef<Witness>(inner_seen, innermost)); });
  testing::InFreshThread([&] {
    handle = Handed(MakeRef<Witness>(seen, inner));
    expected.apartment = ThisApartment();
  });
  lombar_release(handle);  // and with it `inner` and `innermost`, each of another ended thread
  EXPECT_NE(seen.thread, std::this_thread::get_id());
  EXPECT_EQ(seen.apartment, expected.apartment);
  EXPECT_NE(inner_seen.apartment, 0u);
  EXPECT_NE(innermost_seen.apartment, 0u);
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

// C++ hosts call objects directly; their debug builds check the thread.
TEST(CInterfaceThreadsTest, DebugBuildsRefuseACallThroughARefOnAnotherThread) {
#ifdef NDEBUG
  GTEST_SKIP() << "release builds check at the C interface and COM only";
#else
  const Ref<Gadget> gadget = MakeRef<Gadget>();
  testing::InFreshThread([&] {
    EXPECT_EQ(testing::ErrorOf([&] { gadget->SetName("x"); }).first, LOMBAR_RPC_E_WRONG_THREAD);
  });
  EXPECT_EQ(gadget->Name(), "");
#endif
}

}  // namespace
}  // namespace lombar
