// Feeds arbitrary text to every XML reading path: the reader's operations
// and the XML let of every creatable class, which must never crash, whatever
// errors they raise.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "frame/Dispatch.h"
#include "frame/TypeLibrary.h"
#include "lombar/Error.h"
#include "text/clsXML.h"

namespace {

void ReadWithTheReader(std::string_view text) {
  lombar::clsXML reader;
  reader.SetXML(text);
  try {
    reader.Value("Count");
    for (lombar::Short i = 1; i <= 3; ++i)
      reader.Block("Info", i);
    reader.Attrib("Info", "Type");
    reader.Attrib("Info", "Line");
    reader.XMLcompress(text);
  } catch (const lombar::Error&) {
  }
}

void LoadIntoEveryClass(std::string_view text) {
  for (const lombar::ClassInfo* info : lombar::CreatableClasses()) {
    try {
      const auto object = info->create();
      std::vector<lombar::Argument> args = {{lombar::Variant(text)}};
      lombar::Invoke(*object, lombar::GetIdOfName(*object, "XML"), lombar::MemberKind::Let, args);
      std::vector<lombar::Argument> none;
      lombar::Invoke(*object, lombar::GetIdOfName(*object, "XML"), lombar::MemberKind::Get, none);
    } catch (const lombar::Error&) {
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ReadWithTheReader(text);
  LoadIntoEveryClass(text);
  return 0;
}
