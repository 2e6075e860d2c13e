#include "lombar/ICatInfo.h"

#include "model/support/RecordTable.h"

namespace lombar {

const RecordShape& ICatInfo::Table() {
  using I = ICatInfo;
  // The attributes in written order, which is also the order they must be
  // read in: the reader continues each attribute search after the previous one.
  static const auto table =
      RecordTable<I>(kClassName, "{434E66F0-331D-4728-8382-4F1EBDE4630E}",
                     "{18B00109-C937-4F6F-A78B-3A8A626ABF1E}",
                     "One info record: a typed and coded line of text, such as a store rule or an "
                     "address line.")
          .Xml(PropertyId(10))
          .Help("The record as one empty Info element whose attributes hold the values (TypeX as "
                "Type); assigning a text clears the record first and reads the attributes of its "
                "first Info element.")
          .Property("TypeX", PropertyId(9), &I::type_, FirstAttribute("Info", "Type"))
          .Help("The kind of record; written as the Type attribute.")
          .Property("Line", PropertyId(8), &I::line_, Attribute("Info", "Line"))
          .Help("The record's line, kept as text.")
          .Property("Code", PropertyId(7), &I::code_, Attribute("Info", "Code"))
          .Help("The record's code.")
          .Property("Desc", PropertyId(6), &I::desc_, Attribute("Info", "Desc"))
          .Help("The description of the code.")
          .Property("Text", PropertyId(5), &I::text_, Attribute("Info", "Text"))
          .Help("The record's text.")
          .Property("Tag", PropertyId(4), &I::tag_, Attribute("Info", "Tag"))
          .Help("Free text for the caller.")
          .Property("Default", PropertyId(3), &I::default_, Attribute("Info", "Default"))
          .Help("Whether this is the default record; the collection's DefaultCode returns the "
                "first such.")
          .Property("Style", PropertyId(2), &I::style_, Attribute("Info", "Style"))
          .Help("The record's style, kept as text.")
          .Property("Key", PropertyId(1), &I::key_, Attribute("Info", "Key"))
          .Help("The key its collection keeps the record under when AddObject is given none.")
          .Property("Index", PropertyId(0), &I::index_, kNotInXml)
          .ReadOnly()
          .Help("The position the collection gave it when it was added (the last member's when it "
                "was left out as a duplicate); later removals leave it as it is, Clear sets it to "
                "0.")
          .Method("Clear", MethodId(11), &I::Clear)
          .Help("Empties the texts and sets Default to False and Index to 0.")
          .Build();
  return table;
}

// As Clear, without resetting the texts a new record already holds empty.
ICatInfo::ICatInfo() {
  Trapped({kClassName, "Clear"}, [&] { InitializeFields(); });
}

void ICatInfo::Clear() {
  Trapped({kClassName, "Clear"}, [&] { ClearFields(); });
}

}  // namespace lombar
