// The catalog providers of a catalog, kept under their directory key (MCLdir).
// The collection names the default provider and translates between
// directories and seller IDs. Look-ups by key go through JobberKey, so JOBBER
// and the seller aliases "#" and "S#" reach the providers they stand for in
// the thread's global provider collection; JOBBER itself is never a key.
#pragma once

#include <string>
#include <string_view>

#include "lombar/ICatProvider.h"
#include "lombar/internal/LocationCollection.h"

namespace lombar {

class XmlPart;
class XmlWriter;

class ICatProviderCol final : public LocationCollection<ICatProviderCol, ICatProvider> {
 public:
  static constexpr std::string_view kClassName = "ICatProviderCol";
  const ClassInfo& Class() const override;

  ICatProviderCol();

  // The group ICatProviderCol holding Count and the providers' Provider
  // elements, neither compressed nor zero-suppressed; the empty text for no
  // providers.
  std::string XML() const;
  // Empties the collection, then adds a provider for each Provider element
  // with AddObject. A failure midway leaves the providers added so far.
  void SetXML(std::string_view xml);

  // The first provider, in order, marked Default; Nothing when there is none.
  Ref<ICatProvider> GetDefaultProvider() const;
  // The SellerID of the provider under the (translated) key; empty when none is.
  std::string GetSellerID(std::string_view mcl_dir) const;
  // The MCLdir of the first provider whose SellerID, upper-cased and trimmed,
  // equals `seller_id` without its leading "#" and "S#"; empty when none does.
  std::string GetMCLdir(std::string_view seller_id) const;

  // A new provider with these values, kept under `mcl_dir`; error 17 for JOBBER.
  Ref<ICatProvider> Add(std::string_view name, std::string_view location,
                        std::string_view seller_id, std::string_view mcl_dir,
                        std::string_view delivery_message, bool is_default);
  // Keeps the provider itself under its MCLdir; `key` is neither used nor
  // changed. Error 17 for the MCLdir JOBBER, 91 for Nothing.
  Ref<ICatProvider> AddObject(const Ref<ICatProvider>& provider, std::string_view key);

  void Clear(bool destroy);

 private:
  friend class detail::ClassAccess;
  // Plumbing for the library's own sources: the class's description, and
  // its XML written straight into a parent's text or read from its part of
  // the parent's document.
  static const ClassInfo& TypeInfo();
  void AppendXML(XmlWriter& writer) const;
  void ReadXML(XmlPart xml);
};

}  // namespace lombar
