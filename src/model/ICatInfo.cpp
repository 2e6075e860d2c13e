#include "lombar/ICatInfo.h"

#include "model/support/RecordTable.h"

namespace lombar {

const RecordTable<ICatInfo>& ICatInfo::Table() {
  using I = ICatInfo;
  // The attributes in written order, which is also the order they must be
  // read in: the reader continues each attribute search after the previous one.
  static const auto table =
      RecordTable<I>(kClassName, "{434E66F0-331D-4728-8382-4F1EBDE4630E}",
                     "{18B00109-C937-4F6F-A78B-3A8A626ABF1E}",
                     "One info record: a typed and coded line of text, such as a store rule or an "
                     "address line.")
          .Xml(PropertyId(10))
          .Property("TypeX", PropertyId(9), &I::type_, FirstAttribute("Info", "Type"))
          .Property("Line", PropertyId(8), &I::line_, Attribute("Info", "Line"))
          .Property("Code", PropertyId(7), &I::code_, Attribute("Info", "Code"))
          .Property("Desc", PropertyId(6), &I::desc_, Attribute("Info", "Desc"))
          .Property("Text", PropertyId(5), &I::text_, Attribute("Info", "Text"))
          .Property("Tag", PropertyId(4), &I::tag_, Attribute("Info", "Tag"))
          .Property("Default", PropertyId(3), &I::default_, Attribute("Info", "Default"))
          .Property("Style", PropertyId(2), &I::style_, Attribute("Info", "Style"))
          .Property("Key", PropertyId(1), &I::key_, Attribute("Info", "Key"))
          .Property("Index", PropertyId(0), &I::index_, kNotInXml)
          .ReadOnly()
          .Method("Clear", MethodId(11), &I::Clear)
          .Build();
  return table;
}

template class Record<ICatInfo>;

void ICatInfo::Clear() {
  Trapped({kClassName, "Clear"}, [&] { ClearFields(); });
}

}  // namespace lombar
