#include "lombar/ICatStore.h"

#include "model/support/RecordTable.h"

namespace lombar {

const RecordShape& ICatStore::Table() {
  using S = ICatStore;
  // Written MCLdir, Info, Items; read MCLdir, Items, Info. MCLdir comes
  // first either way: the reader takes the first element of a name anywhere
  // in the text, and the items hold MCLdir elements of their own.
  static const auto table =
      RecordTable<S>(kClassName, "{803CB2AE-5117-4158-9B57-4159C2BA4D24}",
                     "{733D3AE7-FC77-4767-83C3-1E00916F358C}",
                     "One store: a catalog directory (MCLdir) with the items selected in it and its "
                     "info records.")
          .Xml(PropertyId(3), {.group = kElement})
          .Property("MCLdir", PropertyId(2), &S::mcl_dir_, Leaf("MCLdir"))
          .GetFirst()
          .Help("The store's catalog directory, its key in the store collection.")
          .Property("Items", PropertyId(1), &S::items_, Child(ICatItemCol::kElement))
          .Help("The items selected in the store; setting them shares the collection given.")
          .Property("Info", PropertyId(0), &S::info_, Child(ICatInfoCol::kClassName))
          .Help("The store's info records (rules, addresses); setting them shares the collection "
                "given.")
          .Method("Clear", MethodId(4), &S::Clear, {Optional("xbDestroyObject", false)})
          .Help("Empties MCLdir and gives the store new empty Items and Info; with xbDestroyObject "
                "True it releases them and gives none.")
          .XmlOrder({"MCLdir", ICatInfoCol::kClassName, ICatItemCol::kElement})
          .ReadSwapped(ICatInfoCol::kClassName, ICatItemCol::kElement)
          .Build();
  return table;
}

ICatStore::ICatStore() {
  Clear(false);
}

void ICatStore::Clear(bool destroy) {
  Trapped({kClassName, "Clear"}, [&] { ClearFields(destroy); });
}

}  // namespace lombar
