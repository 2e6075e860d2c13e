// Feeds arbitrary text to every XML reader path: the reader operations and
// the XML let of the classes, which must never crash, whatever they raise.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "lombar/Error.h"
#include "lombar/ICatInfoCol.h"
#include "text/clsXML.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
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
  try {
    lombar::MakeRef<lombar::ICatInfoCol>()->SetXML(text);
  } catch (const lombar::Error&) {
  }
  return 0;
}
