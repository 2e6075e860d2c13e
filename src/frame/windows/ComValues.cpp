#include "frame/windows/ComValues.h"

#include <wrl/client.h>

#include <algorithm>
#include <iterator>
#include <new>

#include "frame/AutomationCodes.h"
#include "frame/windows/ComObjects.h"

namespace lombar {
namespace {

using Microsoft::WRL::ComPtr;

// A COM pointer of either object type, for a value whose VARTYPE names it.
IUnknown* ObjectPointer(const VARIANT& value) {
  return V_VT(&value) == VT_DISPATCH ? static_cast<IUnknown*>(V_DISPATCH(&value))
                                     : V_UNKNOWN(&value);
}

// The value a typed reference (VT_BYREF | type) points at.
Variant FromReference(const VARIANT& reference) {
  if (!V_BYREF(&reference)) throw Error::Runtime(kObjectNotSet);
  switch (V_VT(&reference) & ~VT_BYREF) {
    case VT_VARIANT: {
      const VARIANT& target = *V_VARIANTREF(&reference);
      if (V_VT(&target) & VT_BYREF) RaiseRuntime(kInvalidProcedureCall);
      return FromVariant(target);
    }
    case VT_BSTR:
      return Variant(Utf8FromBstr(*V_BSTRREF(&reference)));
    case VT_I2:
      return Variant(static_cast<Short>(*V_I2REF(&reference)));
    case VT_I4:
      return Variant(static_cast<Long>(*V_I4REF(&reference)));
    case VT_R4:
      return Variant(*V_R4REF(&reference));
    case VT_R8:
      return Variant(*V_R8REF(&reference));
    case VT_CY:
      return Variant(Currency::FromUnits(V_CYREF(&reference)->int64));
    case VT_DATE:
      return Variant(Date{*V_DATEREF(&reference)});
    case VT_BOOL:
      return Variant(*V_BOOLREF(&reference) != VARIANT_FALSE);
    case VT_DISPATCH:
      return Variant(LibraryObjectOf(*V_DISPATCHREF(&reference)));
    case VT_UNKNOWN:
      return Variant(LibraryObjectOf(*V_UNKNOWNREF(&reference)));
    default:
      RaiseRuntime(kUnsupportedVariantType);
  }
}

template <class Target>
void Replace(Target* target, Target value) {
  *target = value;
}

}  // namespace

GUID ComGuid(const Guid& guid) noexcept {
  GUID result{guid.data1, guid.data2, guid.data3, {}};
  std::copy(guid.data4.begin(), guid.data4.end(), result.Data4);
  return result;
}

Guid FrameGuid(const GUID& guid) noexcept {
  Guid result{guid.Data1, guid.Data2, guid.Data3, {}};
  std::copy(std::begin(guid.Data4), std::end(guid.Data4), result.data4.begin());
  return result;
}

std::string Utf8FromWide(const wchar_t* text, std::size_t length) {
  if (!text || length == 0) return {};
  const int wide_length = static_cast<int>(length);
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, wide_length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, wide_length, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

std::string Utf8FromBstr(BSTR text) {
  return Utf8FromWide(text, text ? SysStringLen(text) : 0);
}

std::wstring WideFromUtf8(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), size);
  return wide;
}

BSTR BstrFromUtf8(std::string_view text) {
  const std::wstring wide = WideFromUtf8(text);
  return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

Variant FromVariant(const VARIANT& value) {
  if (V_VT(&value) & VT_BYREF) return FromReference(value);
  switch (V_VT(&value)) {
    case VT_EMPTY:
      return Variant();
    case VT_NULL:
      return Variant::Null();
    case VT_I2:
      return Variant(static_cast<Short>(V_I2(&value)));
    case VT_I4:
      return Variant(static_cast<Long>(V_I4(&value)));
    case VT_R4:
      return Variant(V_R4(&value));
    case VT_R8:
      return Variant(V_R8(&value));
    case VT_CY:
      return Variant(Currency::FromUnits(V_CY(&value).int64));
    case VT_DATE:
      return Variant(Date{V_DATE(&value)});
    case VT_BSTR:
      return Variant(Utf8FromBstr(V_BSTR(&value)));
    case VT_DISPATCH:
    case VT_UNKNOWN:
      return Variant(LibraryObjectOf(ObjectPointer(value)));
    case VT_ERROR:
      return Variant(ErrorCode{static_cast<std::int32_t>(V_ERROR(&value))});
    case VT_BOOL:
      return Variant(V_BOOL(&value) != VARIANT_FALSE);
    // Scripts hand out small integers in types the frame has no kind for.
    case VT_I1:
      return Variant(static_cast<Short>(V_I1(&value)));
    case VT_UI1:
      return Variant(static_cast<Short>(V_UI1(&value)));
    case VT_UI2:
      return Variant(static_cast<Long>(V_UI2(&value)));
    case VT_INT:
      return Variant(static_cast<Long>(V_INT(&value)));
    default:
      RaiseRuntime(kUnsupportedVariantType);
  }
}

void ToVariant(const Variant& value, VARIANT& out) {
  VariantInit(&out);
  std::visit(
      [&out](const auto& stored) {
        using T = std::decay_t<decltype(stored)>;
        if constexpr (std::is_same_v<T, NullValue>) {
          V_VT(&out) = VT_NULL;
        } else if constexpr (std::is_same_v<T, bool>) {
          V_VT(&out) = VT_BOOL;
          V_BOOL(&out) = stored ? VARIANT_TRUE : VARIANT_FALSE;
        } else if constexpr (std::is_same_v<T, Short>) {
          V_VT(&out) = VT_I2;
          V_I2(&out) = stored;
        } else if constexpr (std::is_same_v<T, Long>) {
          V_VT(&out) = VT_I4;
          V_I4(&out) = stored;
        } else if constexpr (std::is_same_v<T, float>) {
          V_VT(&out) = VT_R4;
          V_R4(&out) = stored;
        } else if constexpr (std::is_same_v<T, double>) {
          V_VT(&out) = VT_R8;
          V_R8(&out) = stored;
        } else if constexpr (std::is_same_v<T, Currency>) {
          V_VT(&out) = VT_CY;
          V_CY(&out).int64 = stored.units;
        } else if constexpr (std::is_same_v<T, Date>) {
          V_VT(&out) = VT_DATE;
          V_DATE(&out) = stored.serial;
        } else if constexpr (std::is_same_v<T, ErrorCode>) {
          V_VT(&out) = VT_ERROR;
          V_ERROR(&out) = stored.code;
        } else if constexpr (std::is_same_v<T, StoredText>) {
          V_VT(&out) = VT_BSTR;
          V_BSTR(&out) = BstrFromUtf8(stored);
          if (!V_BSTR(&out)) throw std::bad_alloc();
        } else if constexpr (std::is_same_v<T, Ref<Object>>) {
          // Enumerators are no dispatch objects: they travel as IUnknown.
          IUnknown* object = ComObjectOf(stored);
          IDispatch* dispatch = nullptr;
          if (object && SUCCEEDED(object->QueryInterface(IID_IDispatch,
                                                         reinterpret_cast<void**>(&dispatch)))) {
            object->Release();
            V_VT(&out) = VT_DISPATCH;
            V_DISPATCH(&out) = dispatch;
          } else {
            V_VT(&out) = object ? VT_UNKNOWN : VT_DISPATCH;
            V_UNKNOWN(&out) = object;
          }
        }
      },
      value.Raw());
}

void StoreThroughReference(const Variant& value, VARIANT& reference) {
  switch (V_VT(&reference) & ~VT_BYREF) {
    case VT_VARIANT: {
      VARIANT converted;
      ToVariant(value, converted);
      VariantClear(V_VARIANTREF(&reference));
      *V_VARIANTREF(&reference) = converted;
      return;
    }
    case VT_BSTR: {
      BSTR text = BstrFromUtf8(value.ToText());
      if (!text) throw std::bad_alloc();
      SysFreeString(*V_BSTRREF(&reference));
      return Replace(V_BSTRREF(&reference), text);
    }
    case VT_I2:
      return Replace<SHORT>(V_I2REF(&reference), value.ToShort());
    case VT_I4:
      return Replace<LONG>(V_I4REF(&reference), value.ToLong());
    case VT_R4:
      return Replace(V_R4REF(&reference), value.ToSingle());
    case VT_R8:
      return Replace(V_R8REF(&reference), value.ToDouble());
    case VT_CY:
      V_CYREF(&reference)->int64 = value.ToCurrency().units;
      return;
    case VT_DATE:
      return Replace(V_DATEREF(&reference), value.ToDate().serial);
    case VT_BOOL:
      return Replace<VARIANT_BOOL>(V_BOOLREF(&reference),
                                   value.ToBool() ? VARIANT_TRUE : VARIANT_FALSE);
    case VT_DISPATCH:
    case VT_UNKNOWN: {
      // The new reference first: the old one may be the last on the same object.
      IUnknown* object = ComObjectOf(value.ToObject());
      IUnknown** target = reinterpret_cast<IUnknown**>(V_BYREF(&reference));
      if (*target) (*target)->Release();
      *target = object;
      return;
    }
    default:
      RaiseRuntime(kUnsupportedVariantType);
  }
}

void ReportError(const Error& error, const GUID& interface_id, EXCEPINFO* info) noexcept {
  const std::int32_t scode = ScodeOfError(error.Number());
  if (info) {
    *info = EXCEPINFO{};
    info->bstrSource = BstrFromUtf8(error.Source());
    info->bstrDescription = BstrFromUtf8(error.Description());
    info->scode = scode;
  }
  ComPtr<ICreateErrorInfo> created;
  if (FAILED(CreateErrorInfo(&created))) return;
  const std::wstring source = WideFromUtf8(error.Source());
  const std::wstring description = WideFromUtf8(error.Description());
  created->SetGUID(interface_id);
  created->SetSource(const_cast<LPOLESTR>(source.c_str()));
  created->SetDescription(const_cast<LPOLESTR>(description.c_str()));
  ComPtr<IErrorInfo> as_info;
  if (SUCCEEDED(created.As(&as_info))) SetErrorInfo(0, as_info.Get());
}

}  // namespace lombar
