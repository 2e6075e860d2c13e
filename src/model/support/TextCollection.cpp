#include "lombar/TextCollection.h"

#include "frame/ClassBuilder.h"
#include "lombar/Error.h"

namespace lombar {

const ClassInfo& TextCollection::Class() const {
  return TypeInfo();
}

const ClassInfo& TextCollection::TypeInfo() {
  using C = TextCollection;
  static const ClassInfo info =
      ClassBuilder<C>(kClassName, "{A4C4671C-499F-101B-BB78-00AA00383CBB}",
                      "{A4C46780-499F-101B-BB78-00AA00383CBB}",
                      "A plain collection of texts (descriptions, manufacturers) that the item queries "
                      "hand out.")
          // The standard collection object's own dispatch ids.
          .Get("Item", kDispIdValue, &C::Item, {"Index"})
          .Help("The text at a position counted from 1, or under a key; error 9 for a position "
                "out of range, error 5 for an unknown key.")
          .Method("Add", 1, &C::Add,
                  {"Item", Optional("Key"), Optional("Before"), Optional("After")})
          .Help("Adds a text, under Key when given, at the end or before or after the member "
                "that Before or After names.")
          .Method("Count", 2, &C::Count)
          .Help("The number of texts.")
          .Method("Remove", 3, &C::Remove, {"Index"})
          .Help("Removes the text at a position or under a key.")
          .Get("_NewEnum", kDispIdNewEnum, &C::NewEnum)
          .Help("An enumerator over the texts in order, for For Each.")
          .Hidden()
          .NotCreatable()
          .Build();
  return info;
}

void TextCollection::Add(const Variant& item, const Variant& key, const Variant& before,
                         const Variant& after) {
  const bool keyed = !key.IsMissing() && !key.IsEmpty();
  const std::string key_text = keyed ? key.ToText() : std::string();
  if (before.IsMissing() && after.IsMissing()) {
    if (keyed) {
      members_->Add(item, key_text);
    } else {
      members_->Add(item);
    }
    return;
  }
  if (!before.IsMissing() && !after.IsMissing()) RaiseRuntime(kInvalidProcedureCall);
  const bool is_before = !before.IsMissing();
  const std::size_t slot = members_->SlotOf(is_before ? before : after) + (is_before ? 0 : 1);
  members_->Insert(slot, item, keyed ? &key_text : nullptr);
}

}  // namespace lombar
