#include "lombar/ICatPriceCol.h"

#include <cstdint>
#include <string>

#include "frame/ClassBuilder.h"
#include "frame/ErrorTrap.h"
#include "frame/NumberParse.h"
#include "lombar/ICatProviderCol.h"
#include "model/LocationKeys.h"
#include "model/ModelState.h"
#include "model/support/CollectionMembers.h"
#include "model/support/CollectionSurface.h"
#include "model/support/CollectionXml.h"
#include "model/support/RecordPlan.h"
#include "model/support/SharedHelp.h"

namespace lombar {
namespace {

constexpr std::string_view kMemberElement = "Price";
constexpr std::string_view kJobberRefused = "Invalid Collection Key of 'Jobber' Specified.";

const RecordPlan<ICatPrice>& PriceTable() {
  return static_cast<const RecordPlan<ICatPrice>&>(detail::ClassAccess::Table<ICatPrice>());
}

// The leaves of a packed price that the collection reads: its directory,
// and those of which a price that says something (ICatPrice::HasNothingToSay)
// holds one at least: the quantity available, the cost, list and sell prices,
// which a packed price holds unless they are empty or 0.
struct PriceLeaves {
  std::size_t directory;
  std::uint64_t saying;
};
PriceLeaves PriceLeavesOf(const RecordPlan<ICatPrice>& table) {
  std::uint64_t saying = 0;
  for (const std::string_view leaf : {"Available", "Cost", "List", "Sell"})
    saying |= std::uint64_t{1} << table.LeafNumber(leaf);
  return {table.LeafNumber("MCLdir"), saying};
}

CollectionXmlForm PricesForm() {
  return {.group = ICatPriceCol::kElement, .switches = XmlSwitches::OfThread()};
}

// A price is kept under its directory, else under its seller, else without a key.
void DeriveKeyIfEmpty(std::string& key, std::string_view mcl_dir, std::string_view seller_id) {
  if (!key.empty()) return;
  if (!mcl_dir.empty()) {
    key = mcl_dir;
  } else if (!seller_id.empty()) {
    key = "S#";
    key += seller_id;
  }
}

// A price that names only its seller or its location is labelled with the
// directory, location and seller of the provider it names; a location no
// provider carries (a pseudo-location) becomes its directory. The directory
// found replaces the caller's key.
void TakeDirectoryFromProviders(ICatPrice& price, const ICatProviderCol& providers,
                                std::string& key) {
  if (!price.SellerID().empty()) {
    const std::string directory = providers.GetMCLdir(price.SellerID());
    if (providers.Exists(directory)) price.SetLocation(directory);
  }
  if (price.Location().empty()) return;
  if (providers.Exists(price.Location())) {
    const Ref<ICatProvider> provider = providers.Item(price.Location());
    price.SetMCLdir(provider->MCLdir());
    price.SetLocation(provider->Location());
    price.SetSellerID(provider->SellerID());
  } else {
    price.SetMCLdir(price.Location());
  }
  key = price.MCLdir();
}

// The text form of a key, or the empty text when it has none (Null).
std::string TextOrEmpty(const Variant& key) {
  try {
    return key.ToText();
  } catch (const Error&) {
    return {};
  }
}

}  // namespace

const ClassInfo& ICatPriceCol::Class() const {
  return TypeInfo();
}

const ClassInfo& ICatPriceCol::TypeInfo() {
  using enum SharedMember;
  using C = ICatPriceCol;
  static const ClassInfo info =
      ClassBuilder<C>(kClassName, "{ADA1B2D2-F08B-4381-89DF-98227E630816}",
                      "{F535398D-7CE8-4B2F-BD06-3283B967666E}",
                      "An item's prices, one per seller location, keyed by directory.")
          .SharedHelp(kLocationCollectionHelp)
          .SharedHelp(kEmptyWhenReleasedHelp)
          .SharedHelp(kCollectionHelp)
          .With(CollectionMembers<C>({{kXml, PropertyId(1)}}))
          .Help(
              "The prices as one Prices element, empty when there are none; assigning a text "
              "empties the collection and adds each price the text holds as AddObject does.")
          .Method("Add", MethodId(2),
                  Overload<Ref<ICatPrice>(std::string_view, std::string_view, std::string_view,
                                          std::string_view, std::string_view, std::string_view,
                                          std::string&)>(&C::Add),
                  {"xsMCLdir", "xsLocation", "xsSellerID", "xsAvailable", "xsCost", "xsList",
                   ByRef(Optional("sKey", ""))})
          .Help(
              "Adds and returns a new price keyed by sKey, else xsMCLdir, else S# and "
              "xsSellerID; sKey receives the key. A cost or list that is not a number is error "
              "13 and the key JOBBER (exactly so) error 17; a key already held leaves the price "
              "out without an error.")
          .Method("AddObject", MethodId(3),
                  Overload<Ref<ICatPrice>(const Ref<ICatPrice>&, std::string&)>(&C::AddObject),
                  {ByRef("xoPrice"), ByRef(Optional("sKey", ""))})
          .Help(
              "Adds the price itself, keyed as by Add, and returns it; Nothing, or a price whose "
              "Available is empty and Cost, List and Sell 0, adds nothing. Without an MCLdir it "
              "first takes the MCLdir, Location and SellerID of the global provider its SellerID "
              "or Location names, else its Location as MCLdir, and that is its key.")
          .With(CollectionMembers<C>({{kItem, kDispIdValue}}))
          .Help(
              "The price at a position counted from 1, or of a directory (JOBBER, #seller and "
              "S#seller translated by the thread's global providers); for one not held, a new "
              "price of that directory, outside the collection.")
          .With(CollectionMembers<C>({{kExists, MethodId(4)}, {kCount, PropertyId(0)},
                                      {kRemove, MethodId(5)}, {kNewEnum, kDispIdNewEnum},
                                      {kClear, MethodId(8)}}))
          .Build();
  return info;
}

ICatPriceCol::ICatPriceCol() {
  TracedAndTrapped({kClassName, "Class_Initialize"}, [&] { Clear(false); });
}

ICatPriceCol::~ICatPriceCol() {
  try {
    Clear(true);
  } catch (const Error&) {
    // Already logged by Clear; a release cannot be refused.
  }
}

std::string ICatPriceCol::XML() const {
  return XmlOf(*this);
}

void ICatPriceCol::AppendXML(XmlWriter& writer) const {
  if (HasWaitingMembers()) return WritePackedXml(writer, waiting_prices_.View());
  TracedAndTrapped({kClassName, "Get XML"}, [&] {
    if (Released()) return;
    WriteMembersXml<ICatPrice>(writer, Backing(), PricesForm());
  });
}

void ICatPriceCol::SetXML(std::string_view xml) {
  ReadXML(XmlPart(xml));
}

void ICatPriceCol::ReadXML(XmlPart xml) {
  TracedAndTrapped({kClassName, "Let XML"}, [&] {
    ReleaseMembers(false);
    LoadMembers<ICatPrice>(
        std::move(xml), kMemberElement,
        [&](const Ref<ICatPrice>& price) {
          std::string derived_key;
          AddObject(price, derived_key);
        },
        [&](XmlReader&, std::size_t members) { ExpectMembers(members); });
  });
}

// Each packed price is written as a price of its values would write itself.
void ICatPriceCol::WritePackedXml(XmlWriter& writer, std::string_view packed) {
  TracedAndTrapped({kClassName, "Get XML"}, [&] {
    if (packed.empty()) return;
    const std::size_t count = TakePackedCount(packed);
    const RecordPlan<ICatPrice>& table = PriceTable();
    WriteCollectionXml(writer, PricesForm(), count,
                       [&](XmlWriter& into) { table.WritePacked(into, packed); });
  });
}

void ICatPriceCol::TakePackedMembers(std::string_view packed) {
  ReleaseMembers(false);
  if (packed.empty()) return;
  waiting_prices_ = packed;
  MembersWaiting();
}

void ICatPriceCol::MakeWaitingMembers() {
  std::string_view packed = waiting_prices_.View();
  const std::size_t count = TakePackedCount(packed);
  ExpectMembers(count);
  for (std::size_t made = 0; made < count; ++made) {
    const auto price = MakeRef<ICatPrice>();
    PriceTable().Unpack(packed, *price);
    Append(price, price->MCLdir());
  }
  waiting_prices_ = StoredText();
}

void ICatPriceCol::DropWaitingMembers() noexcept {
  waiting_prices_ = StoredText();
}

// As ReadXML, for a price collection just made, keeping the prices packed
// until one is reached. AddObject keeps a price read with a directory under
// it, and drops one whose directory a price before it has; one without a
// directory, which AddObject would look up among the providers, or with the
// directory it refuses, is NotPlain, for ReadXML to take in its turn.
void ICatPriceCol::ReadPlainXml(PlainXmlCursor& cursor) {
  std::string packed;
  PackPlainXml(cursor, packed);
  TakePackedMembers(packed);
}

void ICatPriceCol::PackPlainXml(PlainXmlCursor& cursor, std::string& packed) {
  const RecordPlan<ICatPrice>& table = PriceTable();
  static const PriceLeaves leaves = PriceLeavesOf(table);
  const std::size_t block = StartPackedMembers(packed);
  MetKeys keys;
  std::size_t count = 0;
  ReadPlainCollectionXml(
      cursor, kElement, kMemberElement, [](std::size_t) {},
      [&](PlainXmlCursor* member) {
        if (!member) return;  // an empty price says nothing
        const std::size_t start = packed.size();
        const PackedLeaves price = table.ReadPlainPacked(*member, kMemberElement, packed);
        const std::string_view directory = price.Text(packed, leaves.directory);
        if ((price.held & leaves.saying) == 0) return packed.resize(start);
        if (directory.empty() || IsReservedKey(directory)) throw PlainXmlCursor::NotPlain{};
        if (!keys.Add(directory)) return packed.resize(start);
        ++count;
      });
  EndPackedMembers(packed, block, count);
}

Ref<ICatPrice> ICatPriceCol::Add(std::string_view mcl_dir, std::string_view location,
                                 std::string_view seller_id, std::string_view available,
                                 std::string_view cost, std::string_view list, std::string& key) {
  return TracedAndTrapped({kClassName, "Add"}, [&] {
    DeriveKeyIfEmpty(key, mcl_dir, seller_id);
    RefuseReservedKey(key, kJobberRefused);
    const auto price = MakeRef<ICatPrice>();
    price->SetMCLdir(mcl_dir);
    price->SetLocation(location);
    price->SetSellerID(seller_id);
    price->SetAvailable(Variant(available));
    price->SetCost(ParseCurrency(cost));
    price->SetList(ParseCurrency(list));
    Append(price, key);
    return price;
  });
}

Ref<ICatPrice> ICatPriceCol::AddObject(const Ref<ICatPrice>& price, std::string& key) {
  return TracedAndTrapped({kClassName, "AddObject"}, [&]() -> Ref<ICatPrice> {
    if (!price || price->HasNothingToSay()) return Nothing;
    // The thread's providers are looked up only for a price without a directory.
    if (price->MCLdir().empty()) {
      if (const Ref<ICatProviderCol> providers = ThreadModel().global_providers)
        TakeDirectoryFromProviders(*price, *providers, key);
    }
    DeriveKeyIfEmpty(key, price->MCLdir(), price->SellerID());
    RefuseReservedKey(key, kJobberRefused);
    Append(price, key);
    return price;
  });
}

Ref<ICatPrice> ICatPriceCol::Item(const Variant& index) const {
  Variant translated;
  try {
    translated = JobberKey(index);
    if (Collection::Exists(translated)) return Collection::Item(translated);
  } catch (const Error&) {
    // JobberKey has logged it; the caller gets a new price all the same.
  }
  const auto stand_in = MakeRef<ICatPrice>();
  const std::string text = TextOrEmpty(translated);
  stand_in->SetLocation(text);
  stand_in->SetMCLdir(text);
  return stand_in;
}

void ICatPriceCol::Clear(bool destroy) {
  TracePrologue({kClassName, "Clear"});
  Collection::Clear(destroy);
}

}  // namespace lombar
