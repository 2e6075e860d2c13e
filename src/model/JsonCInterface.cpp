// The C interface's JSON conversion, beside the model it walks.
#if !defined(_WIN32)

#include <cstdint>

#include "frame/CGuard.h"
#include "lombar/Error.h"
#include "lombar/Json.h"

extern "C" lombar_hresult lombar_convert_json(const char* class_name, const char* text, int to_json, char** out) {
  if (out) *out = nullptr;  // a failure leaves nothing for the caller to free
  return lombar::GuardedCall({class_name, text, out}, [&] {
    const std::string converted = to_json ? lombar::JsonOfXml(class_name, text) : lombar::XmlOfJson(class_name, text);
    *out = lombar_string_alloc(converted.data(), static_cast<std::uint32_t>(converted.size()));
    return *out ? LOMBAR_S_OK : LOMBAR_E_OUTOFMEMORY;
  });
}

#endif
