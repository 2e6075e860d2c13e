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

const RecordShape& ICatSpec::Table() {
  using S = ICatSpec;
  static const auto table =
      RecordTable<S>(kClassName, "{DDDEEF28-9398-4FF2-945E-CDA6E6C5961B}",
                     "{6FD81CE1-5326-46FF-A8E3-2493289317E9}",
                     "One vehicle detail: a type and group with their info records.")
          .Xml(PropertyId(4), {.group = kElement, .guard = Guard::kTraced})
          .Help("The detail as one Spec element (TypeX as Type) with its Information; assigning a "
                "text clears it first, and a text without a numeric Group, such as one written "
                "with Group 0 under zero-suppress, is error 13.")
          .Property("TypeX", PropertyId(3), &S::type_, Leaf("Type"))
          .Help("The kind of detail, by convention VEH for the vehicle itself or GRP for a "
                "catalog group; any text is kept. Written as the Type element.")
          .Property("Group", PropertyId(2), &S::group_, StrictLeaf("Group"))
          .Help("The catalog group number, 0 for VEH; read from XML rounded half to even.")
          .Method("Key", MethodId(5), &S::Key)
          .Help("TypeX followed by Group as at least five zero-padded digits (VEH00000, "
                "GRP00042): the key in the vehicle's Specs.")
          .Property("Index", PropertyId(1), &S::index_, kNotInXml)
          .ReadOnly()
          .Kept()
          .Help("The position the collection gave it when it was added; later removals and Clear "
                "leave it as it is.")
          .Property("Information", PropertyId(0), &S::information_, Child(ICatInfoCol::kClassName))
          .SetFirst()
          .SetByValue()
          .ClearedInPlace()
          .Help("The detail's info records; setting them shares the collection given, and Clear "
                "empties it in place.")
          .Method("Clear", MethodId(6), &S::Clear)
          .Help("Empties TypeX, sets Group to 0 and empties Information, which stays the same "
                "object; Index is kept.")
          .Build();
  return table;
}

std::string ICatSpec::Key() const {
  return Concat({type_, PaddedGroup(group_)});
}

}  // namespace lombar
