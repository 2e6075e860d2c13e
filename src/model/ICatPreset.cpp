#include "lombar/ICatPreset.h"

#include "model/support/RecordTable.h"

namespace lombar {

const RecordShape& ICatPreset::Table() {
  using P = ICatPreset;
  static const auto table =
      RecordTable<P>(kClassName, "{B5941FB4-B2B0-42A5-8B99-67D9A696AD0B}",
                     "{2FBBF3A5-CB48-474E-95F0-387508FF9A6C}",
                     "One preset look-up: a category, group and description.")
          .Xml(PropertyId(3), {.group = kClassName})
          .Property("Category", PropertyId(2), &P::category_, Leaf("Category"))
          .Help("The major heading of a catalog look-up, such as ignition.")
          .Property("Group", PropertyId(1), &P::group_, Leaf("Group"))
          .Help("The minor heading of the look-up, such as spark plugs.")
          .Property("Description", PropertyId(0), &P::description_, Leaf("Description"))
          .Help("The item level of the look-up, such as one make of plug.")
          .Method("Clear", MethodId(4), &P::Clear)
          .Help("Empties the three texts.")
          .Build();
  return table;
}

}  // namespace lombar
