#include "lombar/ICatSpec.h"

#include <cstdint>
#include <cstdlib>

#include "model/support/RecordTable.h"

namespace lombar {
namespace {

constexpr std::size_t kKeyDigits = 5;

// The group as at least five digits, zero-padded, a minus sign before them.
std::string PaddedGroup(Long group) {
  std::string digits = std::to_string(std::llabs(std::int64_t{group}));
  if (digits.size() < kKeyDigits) digits.insert(0, kKeyDigits - digits.size(), '0');
  return group < 0 ? "-" + digits : digits;
}

}  // namespace

const RecordTable<ICatSpec>& ICatSpec::Table() {
  using S = ICatSpec;
  static const auto table =
      RecordTable<S>(kClassName, "{DDDEEF28-9398-4FF2-945E-CDA6E6C5961B}",
                     "{6FD81CE1-5326-46FF-A8E3-2493289317E9}",
                     "One vehicle detail: a type and group with their info records.")
          .Xml(PropertyId(4), {.group = kElement, .guard = Guard::kTraced})
          .Property("TypeX", PropertyId(3), &S::type_, Leaf("Type"))
          .Property("Group", PropertyId(2), &S::group_, StrictLeaf("Group"))
          .Method("Key", MethodId(5), &S::Key)
          .Property("Index", PropertyId(1), &S::index_, kNotInXml)
          .ReadOnly()
          .Kept()
          .Property("Information", PropertyId(0), &S::information_, Child(ICatInfoCol::kClassName))
          .SetFirst()
          .SetByValue()
          .ClearedInPlace()
          .Method("Clear", MethodId(6), &S::Clear)
          .Build();
  return table;
}

template class Record<ICatSpec>;

std::string ICatSpec::Key() const {
  return Concat({type_, PaddedGroup(group_)});
}

}  // namespace lombar
