#include "model/LocationKeys.h"

#include <string>

#include "frame/ErrorTrap.h"
#include "model/ModelState.h"
#include "lombar/Error.h"
#include "lombar/ICatProviderCol.h"
#include "base/Text.h"

namespace lombar {
namespace {

constexpr Operation kJobberKey{"basGLOBALs", "JobberKey"};
constexpr std::string_view kReservedKey = "JOBBER";

Ref<ICatProviderCol> GlobalProviders() {
  return ThreadModel().global_providers;
}

std::string DefaultDirectory() {
  const Ref<ICatProviderCol> providers = GlobalProviders();
  if (!providers) return {};
  const Ref<ICatProvider> provider = providers->GetDefaultProvider();
  return provider ? std::string(provider->MCLdir()) : std::string();
}

std::string SellerDirectory(std::string_view seller_id) {
  const Ref<ICatProviderCol> providers = GlobalProviders();
  return providers ? providers->GetMCLdir(seller_id) : std::string();
}

}  // namespace

Variant JobberKey(const Variant& key) {
  return TracedAndTrapped(kJobberKey, [&]() -> Variant {
    // As the text functions pass Null through, a Null key matches no alias.
    if (key.IsNull()) return key;
    const std::string text = key.ToText();
    if (EqualsIgnoringCase(text, kReservedKey)) return DefaultDirectory();
    for (const std::string_view prefix : kSellerAliasPrefixes) {
      if (!text.starts_with(prefix)) continue;
      const std::string directory = SellerDirectory(std::string_view(text).substr(prefix.size()));
      return directory.empty() ? DefaultDirectory() : directory;
    }
    return key;
  });
}

bool IsReservedKey(std::string_view key) noexcept {
  return key == kReservedKey;
}

void RefuseReservedKey(std::string_view key, std::string_view description) {
  if (IsReservedKey(key)) throw Error(kCannotPerformOperation, std::string(description), "DEV");
}

void RefuseReservedDirectory(std::string_view mcl_dir) {
  RefuseReservedKey(mcl_dir, "Invalid Collection Key of 'Jobber' Specified for 'MCLdir'.");
}

}  // namespace lombar
