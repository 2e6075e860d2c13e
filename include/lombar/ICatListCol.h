// The list headings of a catalog, with the vehicle they belong to. A list
// without a key of its caller's is kept under "I#" and its ID when the ID is
// above 0, and without a key otherwise.
#pragma once

#include <string>
#include <string_view>

#include "lombar/ICatList.h"
#include "lombar/internal/ReferenceCollection.h"

namespace lombar {

class ICatListCol final : public ReferenceCollection<ICatListCol, ICatList> {
 public:
  static constexpr std::string_view kClassName = "ICatListCol";
  const ClassInfo& Class() const override;

  // Adds the list itself under `key`; an empty `key` receives the list's
  // derived key first. A key already present drops the list silently.
  Ref<ICatList> AddObject(const Ref<ICatList>& list, std::string& key);
  // A new list with these values, added as by AddObject.
  Ref<ICatList> Add(std::string_view heading, Long id, std::string& key);
  // The same two for C++ hosts, returning the list and the key it was given.
  Added<ICatList> AddObject(const Ref<ICatList>& list, std::string_view key = {}) {
    return KeepingKey(key, [&](std::string& kept) { return AddObject(list, kept); });
  }
  Added<ICatList> Add(std::string_view heading, Long id, std::string_view key = {}) {
    return KeepingKey(key, [&](std::string& kept) { return Add(heading, id, kept); });
  }

 private:
  friend class detail::ClassAccess;
  friend class ReferenceCollection<ICatListCol, ICatList>;
  // Plumbing for the library's own sources: the class's description.
  static const ClassInfo& TypeInfo();

  // Under the key AddObject derives from the ID.
  void AddLoaded(const Ref<ICatList>& list);
};

}  // namespace lombar
