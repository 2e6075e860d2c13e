#include "lombar/ICatList.h"

#include "model/support/RecordTable.h"

namespace lombar {

const RecordShape& ICatList::Table() {
  using L = ICatList;
  static const auto table =
      RecordTable<L>(kClassName, "{6CB814F7-2E13-4CB1-A6C6-6B53CD31265C}",
                     "{30B7C980-43B4-45A0-98C0-43E34628800D}",
                     "One reference list: a heading and an identifier.")
          // Unlike most classes, the thread's switches are not consulted.
          .Xml(PropertyId(1), {.group = kClassName, .switches = WriterSwitches::kAllOn})
          .Help("The list as one ICatList element (ID as ListID), its empty and zero values left "
                "out whatever the thread's switches; assigning a text clears the list first.")
          .Property("ID", PropertyId(0), &L::id_, Leaf("ListID"))
          .Help("The list's number; a list collection keeps it under I# and this number when it "
                "is above 0. Written as the ListID element.")
          .Property("Heading", kDispIdValue, &L::heading_, Leaf("Heading"))
          .Help("The list's heading; the default member.")
          .Method("Clear", MethodId(2), &L::Clear)
          .Help("Empties Heading and sets ID to 0.")
          .Build();
  return table;
}

}  // namespace lombar
