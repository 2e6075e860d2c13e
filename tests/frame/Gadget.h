// A test-only class exercising gets, lets and methods, by-reference and
// optional parameters, a default member, an enumerator and an event.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "frame/ClassBuilder.h"
#include "frame/ConnectionPoint.h"
#include "lombar/Error.h"

namespace lombar::testing {

class Gadget final : public AutomationObject {
 public:
  static constexpr std::string_view kClassName = "Gadget";
  static const ClassInfo& TypeInfo();
  const ClassInfo& Class() const override { return TypeInfo(); }

  Gadget() : events_(*TypeInfo().events) {}
  ConnectionPoint* Events() noexcept override { return &events_; }

  std::string Name() const { return name_; }
  void SetName(std::string_view name) {
    name_ = name;
    events_.Fire(1);
  }
  // Error 6 when the result leaves the Short range, as automation's arithmetic gives it.
  Short Scale(Short factor, Long offset) const {
    const std::int64_t scaled = std::int64_t{factor} * 2 + offset;
    if (scaled < std::numeric_limits<Short>::min() || scaled > std::numeric_limits<Short>::max()) {
      RaiseRuntime(kOverflow);
    }
    return static_cast<Short>(scaled);
  }
  std::string Label(const std::string& prefix, std::string& key, bool upper) const {
    if (key.empty()) key = "K#" + name_;
    return prefix + (upper ? "!" : "") + key;
  }
  Variant Item(const Variant& index) const {
    return index.IsMissing() ? Variant("missing") : index;
  }
  Ref<Enumerator> NewEnum() const { return MakeRef<Enumerator>(std::vector<Variant>{"a", "b"}); }

 private:
  std::string name_;
  ConnectionPoint events_;
};

inline const ClassInfo& Gadget::TypeInfo() {
  static const ClassInfo info =
      ClassBuilder<Gadget>("Gadget", "{11111111-2222-3333-4444-555555555555}",
                           "{66666666-7777-8888-9999-AAAAAAAAAAAA}", "A test object.")
          .Get("Name", PropertyId(1), &Gadget::Name)
          .Let("Name", PropertyId(1), &Gadget::SetName)
          .Help("Its name.")
          .Method("Scale", MethodId(3), &Gadget::Scale, {"factor", Optional("offset", Long{1})})
          .Method("Label", MethodId(4), &Gadget::Label,
                  {"prefix", ByRef(Optional("key", "")), Optional("upper", false)})
          .Get("Item", kDispIdValue, &Gadget::Item, {Optional("index")})
          .Get("NewEnum", kDispIdNewEnum, &Gadget::NewEnum)
          .Hidden()
          .EarlierInterface("{00000000-1111-2222-3333-444444444444}")
          .Events("__Gadget", "{99999999-8888-7777-6666-555555555555}",
                  {{"Renamed", 1, "Fired on a new name."}})
          .Build();
  return info;
}

}  // namespace lombar::testing
