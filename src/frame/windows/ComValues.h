// The frame's values, texts and errors as COM carries them: BSTR (UTF-16),
// VARIANT, the error object and EXCEPINFO.
#pragma once

// windows.h first: the other system headers build on it.
#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>

#include "lombar/Error.h"
#include "lombar/Guid.h"
#include "lombar/Variant.h"

namespace lombar {

// The frame's identifiers are laid out as the platform's GUID.
GUID ComGuid(const Guid& guid) noexcept;
Guid FrameGuid(const GUID& guid) noexcept;

std::string Utf8FromWide(const wchar_t* text, std::size_t length);
std::string Utf8FromBstr(BSTR text);
std::wstring WideFromUtf8(std::string_view text);
// A new BSTR the caller owns; null when memory runs out.
BSTR BstrFromUtf8(std::string_view text);

// A client's value as the frame's: a reference is followed (one level), a
// library object unwrapped. Error 458 for a type the library does not know,
// 13 for an object that is not the library's.
Variant FromVariant(const VARIANT& value);
// Fills `out` (which owns nothing) with a copy the caller owns; library
// objects are handed out through their COM objects.
void ToVariant(const Variant& value, VARIANT& out);
// Stores `value` where a typed by-reference argument (VT_BYREF | type) points,
// converted to that type, releasing what was there; a VARIANT target takes
// it as it is.
void StoreThroughReference(const Variant& value, VARIANT& reference);

// Leaves the error in the thread's error object for `interface_id` and, when
// given, in `info`, with the code that carries its number (ScodeOfError).
void ReportError(const Error& error, const GUID& interface_id, EXCEPINFO* info) noexcept;

}  // namespace lombar
