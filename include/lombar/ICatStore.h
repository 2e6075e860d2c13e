// One physical store or catalog directory, known by its directory key
// (MCLdir), with the items selected from it and its info records (store
// rules, addresses and the like). Stores live in an ICatStoreCol under their
// MCLdir. Its XML is the group Store holding MCLdir, then the info
// collection's XML, then the item collection's XML.
#pragma once

#include <string>
#include <string_view>

#include "lombar/ICatInfoCol.h"
#include "lombar/ICatItemCol.h"
#include "lombar/StoredText.h"
#include "lombar/internal/Record.h"

namespace lombar {

class ICatStore final : public Record {
 public:
  static constexpr std::string_view kClassName = "ICatStore";
  static constexpr std::string_view kElement = "Store";

  // An empty directory key with new empty Items and Info.
  ICatStore();

  // Stored and returned as given.
  std::string_view MCLdir() const { return mcl_dir_; }
  void SetMCLdir(std::string_view mcl_dir) { mcl_dir_ = mcl_dir; }
  // Set shares the caller's collection (Nothing too: the XML get then fails
  // with error 91); XML let and Clear give the store new ones.
  Ref<ICatItemCol> Items() const { return items_; }
  void SetItems(const Ref<ICatItemCol>& items) { items_ = items; }
  Ref<ICatInfoCol> Info() const { return info_; }
  void SetInfo(const Ref<ICatInfoCol>& info) { info_ = info; }

  // Empties MCLdir and releases Items and Info; unless `destroy`, new empty
  // collections take their places.
  void Clear(bool destroy = false);

 private:
  friend class detail::ClassAccess;
  // The property table: its surface, XML form and Clear rule.
  static const RecordShape& Table();
  const RecordShape& Shape() const override { return Table(); }

  StoredText mcl_dir_;
  Ref<ICatItemCol> items_;
  Ref<ICatInfoCol> info_;
};

}  // namespace lombar
