#include "model/support/CollectionXml.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "frame/NumberParse.h"
#include "lombar/Error.h"

namespace lombar {
namespace {

// The Collection element: the members' texts joined as they are, taken as
// markup, each written straight after the one before. The element stays only
// when some member wrote something; when none did, the empty leaf goes in its
// place for the writer's switches to decide about.
// After each member the writer is told to expect the rest at the size of
// those so far, so a large document grows early, while it is small to copy.
void WriteMembers(XmlWriter& writer, std::size_t count,
                  const std::function<void(XmlWriter&)>& write_next) {
  const XmlWriter::Mark before = writer.Position();
  static const TagName kCollection("Collection");
  writer.OpenGroup(kCollection);
  const std::size_t opened = writer.Position().length;
  for (std::size_t done = 1; done <= count; ++done) {
    write_next(writer);
    writer.ExpectMore((writer.Position().length - opened) / done * (count - done));
  }
  if (writer.Position().length != opened) return writer.EndGroup();
  writer.Retract(before);
  writer.Add("Collection", "");
}

// A collection's Count read from its element's text: the leading number,
// then a 16-bit value (error 6 beyond).
Short MemberCountOf(std::string_view text) {
  return Variant(LeadingNumber(text)).ToShort();
}

// Room for at most the members a text of `size` bytes can hold, each at
// least "<name/>": a count is not trusted to size memory.
std::size_t MembersRoom(Short count, std::size_t size, std::string_view member_element) {
  return std::min(static_cast<std::size_t>(std::max<Short>(count, 0)),
                  size / (member_element.size() + 3));
}

}  // namespace

// Trivially destructible, so they last until the thread's end: a store
// collection released at thread exit still switches them on.
XmlSwitches& XmlSwitches::OfThread() noexcept {
  thread_local XmlSwitches switches;
  return switches;
}

XmlWriter SnippetWriter(XmlSwitches switches) {
  XmlWriter writer(LoggedXmlFailures());
  writer.SetSnippet(true);
  writer.SetCompress(switches.compress);
  writer.SetZeroSuppress(switches.zero_suppress);
  return writer;
}

std::string WrittenAlone(const std::function<void(XmlWriter& writer)>& write) {
  XmlWriter writer = SnippetWriter({});
  write(writer);
  return writer.TakeXML();
}

// Written by `writer` itself as a part with the collection's switches: no
// step edits what an earlier one wrote.
void WriteCollectionXml(XmlWriter& writer, const CollectionXmlForm& form,
                        const KeyedCollection& members,
                        const std::function<void(AutomationObject&, XmlWriter&)>& write_member) {
  auto next = members.Members().begin();
  WriteCollectionXml(writer, form, static_cast<std::size_t>(members.Count()), [&](XmlWriter& into) {
    write_member(static_cast<AutomationObject&>(*(*next).ObjectRef()), into);
    ++next;
  });
}

void WriteCollectionXml(XmlWriter& writer, const CollectionXmlForm& form, std::size_t count,
                        const std::function<void(XmlWriter&)>& write_next) {
  if (count == 0) return;
  XmlWriter::Part part(writer, form.switches.compress, form.switches.zero_suppress);
  writer.Add(form.group, "", true);
  if (form.before_count) form.before_count(writer);
  writer.Add("Count", std::to_string(count));
  WriteMembers(writer, count, write_next);
  if (form.after_members) form.after_members(writer);
  part.Close();
}

// Read as a record's field is, by a name hashed once.
Short ReadMemberCount(XmlReader& reader) {
  static const TagNames kCount({TagName("Count")});
  std::string unescaped;
  return MemberCountOf(reader.FirstValue(kCount, 0, unescaped));
}

void ReadCollectionXml(XmlReader& reader, std::string_view member_element,
                       const std::function<void(XmlPart block)>& load_member,
                       const BeforeMembers& before_members) {
  const Short count = ReadMemberCount(reader);
  if (before_members) {
    before_members(reader, MembersRoom(count, reader.TextSize(), member_element));
  }
  // Consecutive occurrences continue where the previous Block ended.
  const TagName member(member_element);
  for (Long position = 1; position <= count; ++position) {
    load_member(reader.BlockPart(member, static_cast<Short>(position)));
  }
  // The position is a 16-bit value like the count: stepping it past the
  // largest one overflows once the last member was read.
  if (count == std::numeric_limits<Short>::max()) RaiseRuntime(kOverflow);
}

void ReadPlainCollectionXml(PlainXmlCursor& cursor, std::string_view element,
                            std::string_view member_element,
                            const std::function<void(std::size_t members)>& before_members,
                            const PlainMemberLoader& load_member,
                            const std::function<bool(std::string_view name)>& other_child) {
  // The search looks for its members and Count only before its end tag;
  // Count is met before any member.
  const PlainXmlCursor::Scope scope(cursor, element);
  std::string decoded;
  std::optional<Short> count;
  bool members_read = false;
  for (std::string_view name = cursor.NextChild(); !name.empty(); name = cursor.NextChild()) {
    if (name == "Count") {
      if (count) {
        cursor.SkipLeaf(name);
        continue;
      }
      count = MemberCountOf(cursor.LeafValue(name, decoded));
      // The search would step past the largest position, and overflow, after the last member.
      if (*count == std::numeric_limits<Short>::max()) throw PlainXmlCursor::NotPlain{};
      continue;
    }
    // Before Count, the first Count the search finds might be a member's.
    if (name == "Collection" && count && !members_read) {
      members_read = true;
      const Short wanted = std::max<Short>(*count, 0);
      before_members(MembersRoom(wanted, cursor.Left(), member_element));
      Short read = 0;
      for (;;) {
        if (!cursor.NextChildIs(member_element)) {
          const std::string_view other = cursor.NextChild();
          if (other.empty()) break;
          if (other != member_element) throw PlainXmlCursor::NotPlain{};
        }
        // A member past the count is not read by the search, nor looked into.
        if (read == wanted) throw PlainXmlCursor::NotPlain{};
        load_member(&cursor);
        ++read;
      }
      cursor.EndOf(name);
      for (; read < wanted; ++read)
        load_member(nullptr);
      continue;
    }
    if (!other_child || !other_child(name)) throw PlainXmlCursor::NotPlain{};
  }
  cursor.EndOf(element);
  if (members_read) return;
  const Short members = count.value_or(0);
  before_members(MembersRoom(members, cursor.Left(), member_element));
  for (Short read = 0; read < members; ++read)
    load_member(nullptr);
}

bool ReadInOnePass(
    std::string_view xml,
    const std::function<void(PlainXmlCursor& cursor, std::string_view root)>& read_root) {
  const ErrorLogHold hold;
  try {
    PlainXmlCursor cursor(xml);
    const std::string_view root = cursor.NextChild();
    if (root.empty()) return false;
    read_root(cursor, root);
    return cursor.OnlyTextLeft() && !hold.Held();
  } catch (const PlainXmlCursor::NotPlain&) {
  } catch (const Error&) {
  }
  return false;
}

}  // namespace lombar
