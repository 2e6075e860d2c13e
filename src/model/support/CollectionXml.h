// The XML every object model class writes and reads through the XML writer
// and reader: the writer settings, the writers and readers the classes make,
// and the common form of a collection's XML.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "frame/DiagnosticLog.h"
#include "lombar/Object.h"
#include "lombar/internal/KeyedCollection.h"
#include "model/support/ClassAccess.h"
#include "model/support/TextFailures.h"
#include "text/PlainXml.h"
#include "text/XmlReader.h"
#include "text/XmlWriter.h"

namespace lombar {

// The Compress and ZeroSuppress settings a class gives its writers.
struct XmlSwitches {
  bool compress = false;
  bool zero_suppress = false;

  // This thread's compress and zero-suppress switches, as most classes use
  // them (the store and item collections set them); off in a new thread.
  static XmlSwitches& OfThread() noexcept;
  static constexpr XmlSwitches AllOn() noexcept { return {true, true}; }
};

// A new writer for one object's XML: Snippet on, the given switches, its
// failures logged as the library logs them.
XmlWriter SnippetWriter(XmlSwitches switches);
// A reader of `part` whose failures are logged as the library logs them.
inline XmlReader ReaderOf(XmlPart part) {
  return XmlReader(std::move(part), LoggedXmlFailures());
}

// How a collection class writes its XML: its group element, its writer
// switches, and the children it writes beside Count and Collection.
struct CollectionXmlForm {
  using ChildWriter = std::function<void(XmlWriter& writer)>;

  std::string_view group;
  XmlSwitches switches;
  ChildWriter before_count = nullptr;   // for example a document version
  ChildWriter after_members = nullptr;  // for example the vehicle's XML
};

// The text an object writes when it writes into a writer of its own: each
// class writes its XML through `write`, straight into whatever writer it is
// given, and its XML get is that writing done alone.
std::string WrittenAlone(const std::function<void(XmlWriter& writer)>& write);

// The XML get of a class that writes through AppendXML.
template <class Object>
std::string XmlOf(const Object& object) {
  return WrittenAlone([&](XmlWriter& writer) { detail::ClassAccess::AppendXML(object, writer); });
}

// Writes the collection's XML at the end of `writer`'s text: nothing for no
// members; otherwise the group holding Count, Collection (the members' XML
// joined, taken as markup) and the form's further children.
void WriteCollectionXml(XmlWriter& writer, const CollectionXmlForm& form,
                        const KeyedCollection& members,
                        const std::function<void(AutomationObject&, XmlWriter&)>& write_member);
// The same for `count` members kept otherwise: `write_next` writes the next.
void WriteCollectionXml(XmlWriter& writer, const CollectionXmlForm& form, std::size_t count,
                        const std::function<void(XmlWriter&)>& write_next);

// The member count of a collection text, from a reader that has read nothing
// else yet: the first Count element read as a number (0 when it is none) and
// then as a 16-bit value (error 6 beyond).
Short ReadMemberCount(XmlReader& reader);

// What a collection does once its text's member count is read: reads
// further values from `reader`, makes room for `members`, the count as far
// as the text could hold that many (a count is not trusted to size memory).
using BeforeMembers = std::function<void(XmlReader& reader, std::size_t members)>;

// Hands the block of the i-th `member_element` to `load_member` for i = 1 to
// the text's member count, in one pass over the text of `reader`, which has
// read nothing else yet. Members are taken by position whatever the text
// holds: a missing one arrives as the empty block. Each block is handed
// over with the reader's index, for the member's reader.
// `before_members`, when given, is called once the count is read.
void ReadCollectionXml(XmlReader& reader, std::string_view member_element,
                       const std::function<void(XmlPart block)>& load_member,
                       const BeforeMembers& before_members = nullptr);

// The collection element in the plain form (PlainXmlCursor), its start tag
// `element` just read through to its end tag, read as ReadCollectionXml
// reads it: Count before Collection, which holds the members and nothing
// else, at most as many as Count says (those missing are loaded from
// nothing, as their missing blocks are). `load_member` reads a member from
// the cursor after its start tag, or from nothing when given none.
// `other_child` reads any further child it knows, saying whether it did.
using PlainMemberLoader = std::function<void(PlainXmlCursor* member)>;
void ReadPlainCollectionXml(
    PlainXmlCursor& cursor, std::string_view element, std::string_view member_element,
    const std::function<void(std::size_t members)>& before_members,
    const PlainMemberLoader& load_member,
    const std::function<bool(std::string_view name)>& other_child = nullptr);

// Reads `xml` in the plain form in one pass: `read_root` reads the root
// element from the cursor after its start tag through its end tag, and only
// text may follow. The error log is held back meanwhile. False where the
// text leaves the plain form, an error is raised or a line would have been
// logged: the caller then undoes what was read and reads the text by the
// search, which raises and logs as it does.
bool ReadInOnePass(
    std::string_view xml,
    const std::function<void(PlainXmlCursor& cursor, std::string_view root)>& read_root);

// Within a reading in one pass that holds back the error log (and gives up
// on any error or line held): `object` reads the element whose start tag
// `element` the cursor just read as the search reads it, from the block the
// search takes. Without such a hold the text is NotPlain.
template <class Object>
void ReadSearchedPart(Object& object, PlainXmlCursor& cursor, std::string_view element) {
  if (!ErrorLogHold::Active()) throw PlainXmlCursor::NotPlain{};
  detail::ClassAccess::ReadXML(object, XmlPart(cursor.SearchedBlock(element)));
}
// The same in one pass when the class reads the plain form itself.
template <class Object>
void ReadPlainPart(Object& object, PlainXmlCursor& cursor, std::string_view element) {
  if constexpr (detail::ClassAccess::ReadsPlainXml<Object>()) {
    detail::ClassAccess::ReadPlainXml(object, cursor);
  } else {
    ReadSearchedPart(object, cursor, element);
  }
}

// A new `Member` read from its `element` in the plain form as a collection
// loads it, or from nothing.
template <class Member>
Ref<Member> PlainMember(PlainXmlCursor* cursor, std::string_view element) {
  Ref<Member> member = MakeRef<Member>();
  if (cursor) detail::ClassAccess::ReadPlainRecord(*member, *cursor, element);
  return member;
}

// The collection XML of members that are all `Member`s, written into `writer`.
template <class Member>
void WriteMembersXml(XmlWriter& writer, const KeyedCollection& members,
                     const CollectionXmlForm& form) {
  WriteCollectionXml(writer, form, members, [](AutomationObject& member, XmlWriter& into) {
    detail::ClassAccess::AppendXML(static_cast<Member&>(member), into);
  });
}

// For each member block of the text `reader` reads: a new `Member` reads it
// and `add` receives it.
template <class Member, class AddLoaded>
void LoadMembers(XmlReader& reader, std::string_view member_element, AddLoaded&& add,
                 const BeforeMembers& before_members = nullptr) {
  ReadCollectionXml(
      reader, member_element,
      [&](XmlPart block) {
        const Ref<Member> member = MakeRef<Member>();
        detail::ClassAccess::SetXMLOfNew(*member, std::move(block));
        add(member);
      },
      before_members);
}
// The same for the members of `xml`; an empty text loads nothing.
template <class Member, class AddLoaded>
void LoadMembers(XmlPart xml, std::string_view member_element, AddLoaded&& add,
                 const BeforeMembers& before_members = nullptr) {
  if (xml.Text().empty()) return;
  XmlReader reader = ReaderOf(std::move(xml));
  LoadMembers<Member>(reader, member_element, std::forward<AddLoaded>(add), before_members);
}

}  // namespace lombar
