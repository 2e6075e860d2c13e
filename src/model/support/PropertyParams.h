// The parameters of a convenience Add named after the properties of the
// record it makes: the class table takes them as the method's parameters,
// and the method makes its new record from them, each value let as a host
// would let that property, so no property is named a second time. A
// parameter is named after its property, with or without a two-letter type
// prefix (xs, xb); one named Type sets TypeX, so named where Type is a
// keyword. Parameters after the properties' (a collection key) are the
// table's alone. A collection's source keeps them as
//
//   const PropertyParams<ICatList>& AddParams() {
//     static const PropertyParams<ICatList> params({ByRef("Heading"), ByRef("ID")});
//     return params;
//   }
//
// made on first use, as the class table is.
#pragma once

#include <cctype>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "frame/ClassBuilder.h"
#include "model/support/ClassAccess.h"

namespace lombar {

template <class R>
class PropertyParams {
 public:
  explicit PropertyParams(std::vector<ParamSpec> specs) : specs_(std::move(specs)) {
    for (const ParamSpec& spec : specs_) lets_.push_back(&LetOf(spec.name));
  }

  // The parameters for the class table, followed by `more`.
  std::vector<ParamSpec> Specs(std::vector<ParamSpec> more = {}) const {
    std::vector<ParamSpec> all = specs_;
    all.insert(all.end(), more.begin(), more.end());
    return all;
  }

  // A new record whose properties take `values`, one for each parameter in order.
  template <class... V>
  Ref<R> NewRecord(const V&... values) const {
    static_assert(sizeof...(V) > 0);
    if (sizeof...(V) != lets_.size()) throw std::logic_error("a value for each parameter");
    const auto record = MakeRef<R>();
    std::size_t at = 0;
    (Let(*record, *lets_[at++], Variant(values)), ...);
    return record;
  }

 private:
  static void Let(R& record, const Member& let, Variant value) {
    Args args{std::move(value)};
    let.invoke(record, args);
  }

  // The let of the property a parameter is named after.
  static const Member& LetOf(std::string_view param) {
    const std::string_view name = WithoutTypePrefix(param);
    for (const std::string& property : {std::string(name), std::string(name) + "X"}) {
      for (const Member& member : detail::ClassAccess::Surface<R>().members) {
        if (member.kind == MemberKind::Let && member.name == property) return member;
      }
    }
    throw std::logic_error("no property for the parameter " + std::string(param));
  }
  static std::string_view WithoutTypePrefix(std::string_view param) {
    const bool prefixed = param.size() > 2 && (param.starts_with("xs") || param.starts_with("xb")) &&
                          std::isupper(static_cast<unsigned char>(param[2]));
    return prefixed ? param.substr(2) : param;
  }

  std::vector<ParamSpec> specs_;
  std::vector<const Member*> lets_;
};

}  // namespace lombar
