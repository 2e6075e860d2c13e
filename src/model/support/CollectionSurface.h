// The members a collection takes from its base (lombar/internal/Collection.h),
// each bound here once: its parameters, and the enumerator hidden. A
// collection lists the ones it has in its own slot order with its own ids:
//
//   .With(CollectionMembers<C>({{kItem, kDispIdValue}, {kExists, MethodId(5)},
//                               {kCount, PropertyId(0)}, ...}))
//
// XML is its get and its let, of the class's own XML and SetXML. A class
// whose Item, Exists or Remove has forms of its own (overloads) binds them
// itself.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "frame/ClassBuilder.h"

namespace lombar {

enum class SharedMember { kXml, kItem, kExists, kCount, kRemove, kNewEnum, kClear };

[[noreturn]] inline void OwnFormsRefused(const char* member) {
  throw std::logic_error(std::string(member) + " has forms of its own here: bound by the class");
}

template <class C>
auto CollectionMembers(std::vector<std::pair<SharedMember, DispId>> slots) {
  return [slots = std::move(slots)](ClassBuilder<C>& builder) {
    for (const auto& [member, id] : slots) {
      switch (member) {
        case SharedMember::kXml:
          builder.Get("XML", id, &C::XML).Let("XML", id, &C::SetXML);
          break;
        case SharedMember::kItem:
          if constexpr (requires { &C::Item; }) {
            builder.Get("Item", id, &C::Item, {"vntIndexKey"});
          } else {
            OwnFormsRefused("Item");
          }
          break;
        case SharedMember::kExists:
          if constexpr (requires { &C::Exists; }) {
            builder.Method("Exists", id, &C::Exists, {"vntIndexKey"});
          } else {
            OwnFormsRefused("Exists");
          }
          break;
        case SharedMember::kCount:
          builder.Get("Count", id, &C::Count);
          break;
        case SharedMember::kRemove:
          if constexpr (requires { &C::Remove; }) {
            builder.Method("Remove", id, &C::Remove, {"vntIndexKey"});
          } else {
            OwnFormsRefused("Remove");
          }
          break;
        case SharedMember::kNewEnum:
          builder.Get("NewEnum", id, &C::NewEnum).Hidden();
          break;
        case SharedMember::kClear:
          builder.Method("Clear", id, &C::Clear, {Optional("xbDestroyObject", false)});
          break;
      }
    }
  };
}

}  // namespace lombar
