#include "model/support/CollectionXml.h"

#include <limits>

#include "model/support/ModelState.h"
#include "frame/NumberParse.h"
#include "lombar/Error.h"
#include "text/clsXML.h"

namespace lombar {
namespace {

// The Collection element: the members' texts joined as they are, taken as
// markup. Each text goes straight into the writer instead of into a joined
// copy first, which for a large collection saves two copies of its whole
// text; the element opens at the first member that writes anything, so
// members that all write nothing leave the empty leaf the writer's switches
// decide about.
void WriteMembers(clsXML& writer, const KeyedCollection& members,
                  const std::function<std::string(AutomationObject&)>& member_xml) {
  bool opened = false;
  for (const Variant& member : members.Members()) {
    const std::string text = member_xml(static_cast<AutomationObject&>(*member.ObjectRef()));
    if (text.empty()) continue;
    if (!opened) writer.Add("Collection", "", true);
    opened = true;
    writer.AddXML(text);
  }
  if (opened) {
    writer.EndGroup();
  } else {
    writer.Add("Collection", "");
  }
}

}  // namespace

XmlSwitches XmlSwitches::OfThread() noexcept {
  const ModelState& state = ThreadModel();
  return {state.compress, state.zero_suppress};
}

clsXML SnippetWriter(XmlSwitches switches) {
  clsXML writer;
  writer.SetSnippet(true);
  writer.SetCompress(switches.compress);
  writer.SetZeroSuppress(switches.zero_suppress);
  return writer;
}

std::string WriteCollectionXml(const CollectionXmlForm& form, const KeyedCollection& members,
                               const std::function<std::string(AutomationObject&)>& member_xml) {
  if (members.Count() == 0) return {};
  clsXML writer = SnippetWriter(form.switches);
  writer.Add(form.group, "", true);
  if (form.before_count) form.before_count(writer);
  writer.Add("Count", std::to_string(members.Count()));
  WriteMembers(writer, members, member_xml);
  if (form.after_members) form.after_members(writer);
  writer.EndGroup();
  return writer.TakeXML();
}

Short ReadMemberCount(clsXML& reader) {
  return Variant(LeadingNumber(reader.Value("Count"))).ToShort();
}

void ReadCollectionXml(std::string_view text, std::string_view member_element,
                       const std::function<void(std::string_view block)>& load_member,
                       const std::function<void(clsXML& reader)>& before_members) {
  if (text.empty()) return;
  clsXML reader;
  reader.ReadInPlace(text);
  const Short count = ReadMemberCount(reader);
  if (before_members) before_members(reader);
  // Consecutive occurrences continue where the previous Block ended.
  for (Long position = 1; position <= count; ++position) {
    load_member(reader.BlockView(member_element, static_cast<Short>(position)));
  }
  // The position is a 16-bit value like the count: stepping it past the
  // largest one overflows once the last member was read.
  if (count == std::numeric_limits<Short>::max()) RaiseRuntime(kOverflow);
}

}  // namespace lombar
