#include "model/support/CollectionXml.h"

#include <limits>

#include "model/support/ModelState.h"
#include "frame/NumberParse.h"
#include "lombar/Error.h"
#include "text/clsXML.h"

namespace lombar {
namespace {

// The members' texts joined as they are: each is a writer's output already
// held to the code page, so passing them through a CString and back would
// only convert the whole collection twice more.
std::string JoinedMemberXml(const KeyedCollection& members,
                            const std::function<std::string(AutomationObject&)>& member_xml) {
  std::string joined;
  for (const Ref<AutomationObject>& member : members.Members())
    joined += member_xml(*member);
  return joined;
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
  const std::string joined = JoinedMemberXml(members, member_xml);
  clsXML writer = SnippetWriter(form.switches);
  writer.Add(form.group, "", true);
  if (form.before_count) form.before_count(writer);
  writer.Add("Count", std::to_string(members.Count()));
  // The joined texts begin with "<" and end with ">", so Add takes them as markup.
  writer.Add("Collection", joined);
  if (form.after_members) form.after_members(writer);
  writer.EndGroup();
  return writer.XML();
}

Short ReadMemberCount(clsXML& reader) {
  return Variant(LeadingNumber(reader.Value("Count"))).ToShort();
}

void ReadCollectionXml(std::string_view text, std::string_view member_element,
                       const std::function<void(const std::string& block)>& load_member) {
  if (text.empty()) return;
  clsXML reader;
  reader.SetXML(text);
  const Short count = ReadMemberCount(reader);
  // Consecutive occurrences continue where the previous Block ended.
  for (Long position = 1; position <= count; ++position) {
    load_member(reader.Block(member_element, static_cast<Short>(position)));
  }
  // The position is a 16-bit value like the count: stepping it past the
  // largest one overflows once the last member was read.
  if (count == std::numeric_limits<Short>::max()) RaiseRuntime(kOverflow);
}

}  // namespace lombar
