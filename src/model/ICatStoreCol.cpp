#include "lombar/ICatStoreCol.h"

#include <string>

#include "frame/ClassBuilder.h"
#include "frame/ErrorTrap.h"
#include "model/LocationKeys.h"
#include "model/support/CollectionMembers.h"
#include "model/support/CollectionSurface.h"
#include "model/support/CollectionXml.h"
#include "model/support/SharedHelp.h"

namespace lombar {

const ClassInfo& ICatStoreCol::Class() const {
  return TypeInfo();
}

const ClassInfo& ICatStoreCol::TypeInfo() {
  using enum SharedMember;
  using C = ICatStoreCol;
  static const ClassInfo info =
      ClassBuilder<C>(kClassName, "{098D1A03-BA05-4793-815C-4C2441EBF793}",
                      "{58D05B1C-156E-4B94-B63A-560A8A103F73}",
                      "The stores of a catalog, keyed by directory; it also sets the thread's XML "
                      "compress and zero-suppress switches.")
          .SharedHelp(kLocationCollectionHelp)
          .SharedHelp(kCollectionHelp)
          .With(CollectionMembers<C>({{kXml, PropertyId(3)}}))
          .Method("Add", MethodId(4), &C::Add, {"xsMCLdir", ByRef("xoItemCol")})
          .Help(
              "Adds and returns a new store of directory xsMCLdir holding the collection "
              "xoItemCol itself; the directory JOBBER (exactly so) is refused with error 17, and "
              "a directory already held leaves the store out without an error.")
          .Method("AddObject", MethodId(5), &C::AddObject,
                  {ByRef("xoStore"), ByRef(Optional("sKey", ""))})
          .Help(
              "Adds the store itself under its MCLdir, which sKey fills in when empty, and "
              "returns it; JOBBER is refused with error 17, a directory already held leaves the "
              "store out without an error.")
          .With(CollectionMembers<C>({{kItem, kDispIdValue}, {kExists, MethodId(6)},
                                      {kCount, PropertyId(2)}, {kRemove, MethodId(7)},
                                      {kNewEnum, kDispIdNewEnum}, {kClear, MethodId(10)}}))
          .Help(
              "Releases the stores (not clearing them) and switches the thread's compress and "
              "zero-suppress switches on; with xbDestroyObject True no store list is left.")
          .Let("XMLcompress", PropertyId(1), &C::SetXMLcompress)
          .Help(
              "Sets the thread's compress switch: on, the XML of most objects leaves out "
              "empty elements (write only).")
          .Let("XMLzeroSuppress", PropertyId(0), &C::SetXMLzeroSuppress)
          .Help(
              "Sets the thread's zero-suppress switch: on, the XML of most objects also leaves "
              "out numbers equal to 0 (write only).")
          .Build();
  return info;
}

ICatStoreCol::ICatStoreCol() {
  Clear(false);
}

ICatStoreCol::~ICatStoreCol() {
  Clear(true);
}

std::string ICatStoreCol::XML() const {
  return XmlOf(*this);
}

void ICatStoreCol::AppendXML(XmlWriter& writer) const {
  Trapped({kClassName, "Get XML"}, [&] {
    WriteMembersXml<ICatStore>(writer, Backing(),
                               {.group = kClassName, .switches = XmlSwitches::OfThread()});
  });
}

void ICatStoreCol::SetXML(std::string_view xml) {
  ReadXML(XmlPart(xml));
}

void ICatStoreCol::ReadXML(XmlPart xml) {
  Trapped({kClassName, "Let XML"}, [&] {
    Clear(false);
    LoadMembers<ICatStore>(std::move(xml), ICatStore::kElement,
                           [&](const Ref<ICatStore>& store) { AddObject(store, store->MCLdir()); });
  });
}

// Within a catalog read in one pass: each store as ReadXML adds it, a
// directory AddObject would refuse NotPlain.
void ICatStoreCol::ReadPlainXml(PlainXmlCursor& cursor) {
  Clear(false);
  ReadPlainCollectionXml(
      cursor, kClassName, ICatStore::kElement, [](std::size_t) {},
      [&](PlainXmlCursor* member) {
        const Ref<ICatStore> store = PlainMember<ICatStore>(member, ICatStore::kElement);
        if (IsReservedKey(store->MCLdir())) throw PlainXmlCursor::NotPlain{};
        AppendKeyed(store, store->MCLdir());
      });
}

Ref<ICatStore> ICatStoreCol::Add(std::string_view mcl_dir, const Ref<ICatItemCol>& items) {
  return Trapped({kClassName, "Add"}, [&] {
    RefuseReservedDirectory(mcl_dir);
    const auto store = MakeRef<ICatStore>();
    store->SetMCLdir(mcl_dir);
    store->SetItems(items);
    AppendKeyed(store, store->MCLdir());
    return store;
  });
}

Ref<ICatStore> ICatStoreCol::AddObject(const Ref<ICatStore>& store, std::string_view key) {
  return Trapped({kClassName, "AddObject"}, [&] {
    if (!key.empty() && store->MCLdir().empty()) store->SetMCLdir(key);
    RefuseReservedDirectory(store->MCLdir());
    AppendKeyed(store, store->MCLdir());
    return store;
  });
}

void ICatStoreCol::Clear(bool destroy) {
  Trapped({kClassName, "Clear"}, [&] {
    ReleaseMembers(destroy);
    SetXMLcompress(true);
    SetXMLzeroSuppress(true);
  });
}

void ICatStoreCol::SetXMLcompress(bool compress) {
  XmlSwitches::OfThread().compress = compress;
}

void ICatStoreCol::SetXMLzeroSuppress(bool zero_suppress) {
  XmlSwitches::OfThread().zero_suppress = zero_suppress;
}

}  // namespace lombar
