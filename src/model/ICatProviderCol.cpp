#include "lombar/ICatProviderCol.h"

#include <utility>

#include "base/Text.h"
#include "frame/ClassBuilder.h"
#include "frame/ErrorTrap.h"
#include "model/LocationKeys.h"
#include "model/support/CollectionMembers.h"
#include "model/support/CollectionSurface.h"
#include "model/support/PropertyParams.h"
#include "model/support/CollectionXml.h"
#include "model/support/SharedHelp.h"

namespace lombar {
namespace {

const PropertyParams<ICatProvider>& AddParams() {
  static const PropertyParams<ICatProvider> params(
      {"xsName", "xsLocation", "xsSellerID", "xsMCLdir", "xsDeliveryMessage", "xbDefault"});
  return params;
}

constexpr std::string_view kMemberElement = "Provider";

// "#" goes first, then "S#": "#S#AB12" names the seller AB12.
std::string_view WithoutSellerAliasPrefixes(std::string_view seller_id) {
  for (const std::string_view prefix : kSellerAliasPrefixes) {
    if (seller_id.starts_with(prefix)) seller_id.remove_prefix(prefix.size());
  }
  return seller_id;
}

}  // namespace

const ClassInfo& ICatProviderCol::Class() const {
  return TypeInfo();
}

const ClassInfo& ICatProviderCol::TypeInfo() {
  using enum SharedMember;
  using C = ICatProviderCol;
  static const ClassInfo info =
      ClassBuilder<C>(kClassName, "{0BA22F0B-ED4C-42BC-B016-F32F58447F15}",
                      "{E1544281-0D4D-46F8-A165-F31C8ECC6F5A}",
                      "The catalog providers, one of them the default (the jobber), with look-ups "
                      "between directories and seller identifiers.")
          .SharedHelp(kLocationCollectionHelp)
          .SharedHelp(kEmptyWhenReleasedHelp)
          .SharedHelp(kCollectionHelp)
          .With(CollectionMembers<C>({{kXml, PropertyId(2)}}))
          .Method("GetDefaultProvider", MethodId(3), &C::GetDefaultProvider)
          .Help("The first provider whose Default is True; Nothing when none is.")
          .Method("GetSellerID", MethodId(4), &C::GetSellerID, {"xsMCLdir"})
          .Help(
              "The SellerID of the provider of directory xsMCLdir (JOBBER, #seller and S#seller "
              "translated as by Item); the empty text when there is none.")
          .Method("GetMCLdir", MethodId(5), &C::GetMCLdir, {"xsSellerID"})
          .Help(
              "The MCLdir of the first provider whose SellerID, in upper case and trimmed, "
              "equals xsSellerID exactly once a leading # and then S# are dropped; the empty "
              "text when none does.")
          .Method("Add", MethodId(6), &C::Add, AddParams().Specs())
          .Help(
              "Adds and returns a new provider from the arguments, keyed by xsMCLdir; JOBBER "
              "(exactly so) is refused with error 17, and a directory already held leaves the "
              "provider out without an error.")
          .Method("AddObject", MethodId(7), &C::AddObject,
                  {ByRef("xoProvider"), ByRef(Optional("sKey", ""))})
          .Help(
              "Adds the provider itself under its MCLdir and returns it, sKey unused; JOBBER "
              "(exactly so) is refused with error 17, Nothing with error 91, and a directory "
              "already held leaves it out without an error.")
          .With(CollectionMembers<C>({{kExists, MethodId(8)}}))
          // Item is an ordinary property here, not the default member.
          .With(CollectionMembers<C>({{kItem, PropertyId(1)}, {kCount, PropertyId(0)},
                                      {kRemove, MethodId(9)}, {kNewEnum, kDispIdNewEnum},
                                      {kClear, MethodId(12)}}))
          .Build();
  return info;
}

ICatProviderCol::ICatProviderCol() {
  TracedAndTrapped({kClassName, "Class_Initialize"}, [&] { Clear(false); });
}

std::string ICatProviderCol::XML() const {
  return XmlOf(*this);
}

void ICatProviderCol::AppendXML(XmlWriter& writer) const {
  TracedAndTrapped({kClassName, "Get XML"}, [&] {
    if (Released()) return;
    WriteMembersXml<ICatProvider>(
        writer, Backing(), {.group = kClassName, .switches = XmlSwitches{}});  // both switches off
  });
}

void ICatProviderCol::SetXML(std::string_view xml) {
  ReadXML(XmlPart(xml));
}

void ICatProviderCol::ReadXML(XmlPart xml) {
  TracedAndTrapped({kClassName, "Let XML"}, [&] {
    Clear(false);
    LoadMembers<ICatProvider>(std::move(xml), kMemberElement,
                              [&](const Ref<ICatProvider>& provider) { AddObject(provider, ""); });
  });
}

Ref<ICatProvider> ICatProviderCol::GetDefaultProvider() const {
  if (Released()) return Nothing;
  return FirstMemberWhere([](const ICatProvider& provider) { return provider.Default(); });
}

std::string ICatProviderCol::GetSellerID(std::string_view mcl_dir) const {
  const Variant key(mcl_dir);
  return Exists(key) ? std::string(Item(key)->SellerID()) : std::string();
}

std::string ICatProviderCol::GetMCLdir(std::string_view seller_id) const {
  return TracedAndTrapped({kClassName, "GetMCLdir"}, [&]() -> std::string {
    if (Released() || seller_id.empty()) return {};
    const std::string_view wanted = WithoutSellerAliasPrefixes(seller_id);
    const Ref<ICatProvider> seller = FirstMemberWhere([&](const ICatProvider& provider) {
      return UpperCase(TrimSpaces(provider.SellerID())) == wanted;
    });
    return seller ? std::string(seller->MCLdir()) : std::string();
  });
}

Ref<ICatProvider> ICatProviderCol::Add(std::string_view name, std::string_view location,
                                       std::string_view seller_id, std::string_view mcl_dir,
                                       std::string_view delivery_message, bool is_default) {
  return TracedAndTrapped({kClassName, "Add"}, [&] {
    RefuseReservedDirectory(mcl_dir);
    const auto provider = AddParams().NewRecord(name, location, seller_id, mcl_dir,
                                                delivery_message, is_default);
    AppendKeyed(provider, mcl_dir);
    return provider;
  });
}

Ref<ICatProvider> ICatProviderCol::AddObject(const Ref<ICatProvider>& provider,
                                             std::string_view /*key*/) {
  return TracedAndTrapped({kClassName, "AddObject"}, [&] {
    RefuseReservedDirectory(provider->MCLdir());
    AppendKeyed(provider, provider->MCLdir());
    return provider;
  });
}

void ICatProviderCol::Clear(bool destroy) {
  TracePrologue({kClassName, "Clear"});
  Collection::Clear(destroy);
}

}  // namespace lombar
