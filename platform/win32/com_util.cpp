// Small owners for the COM automation types and late-bound calls through IDispatch.
#include "platform/win32/com_util.h"

#include <climits>
#include <cstring>

namespace tessivo::win32 {
namespace {

// More than any member of the objects this program drives takes; the arguments are copied
// into a fixed array so that a call never allocates.
constexpr std::size_t kMaxArguments = 8;

// The conversion functions take int lengths; longer texts are not converted at all rather
// than cut.
bool FitsInt(std::size_t size) { return size <= static_cast<std::size_t>(INT_MAX); }

}  // namespace

Bstr& Bstr::operator=(Bstr&& other) noexcept {
  if (this != &other) {
    ::SysFreeString(value_);
    value_ = other.Detach();
  }
  return *this;
}

Bstr Bstr::FromCodePage(UINT codePage, std::string_view text) {
  if (!FitsInt(text.size())) return Bstr();
  const int source = static_cast<int>(text.size());
  if (source == 0) return Bstr(::SysAllocStringLen(L"", 0));
  const int length = ::MultiByteToWideChar(codePage, 0, text.data(), source, nullptr, 0);
  if (length <= 0) return Bstr();
  // SysAllocStringLen with no source gives room for `length` characters plus the terminator.
  Bstr result(::SysAllocStringLen(nullptr, static_cast<UINT>(length)));
  if (result.Get() == nullptr) return Bstr();
  if (::MultiByteToWideChar(codePage, 0, text.data(), source, result.Get(), length) != length) {
    return Bstr();
  }
  return result;
}

Bstr Bstr::FromWide(std::wstring_view text) {
  if (text.size() > UINT_MAX) return Bstr();
  return Bstr(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
}

Variant::Variant(Variant&& other) noexcept {
  // A VARIANT is plain data: the bits move, and the source is left empty so that it frees
  // nothing.
  std::memcpy(&value_, &other.value_, sizeof value_);
  ::VariantInit(&other.value_);
}

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != &other) {
    ::VariantClear(&value_);
    std::memcpy(&value_, &other.value_, sizeof value_);
    ::VariantInit(&other.value_);
  }
  return *this;
}

Variant Variant::Int32(LONG value) {
  Variant result;
  result.value_.vt = VT_I4;
  result.value_.lVal = value;
  return result;
}

Variant Variant::Bool(bool value) {
  Variant result;
  result.value_.vt = VT_BOOL;
  result.value_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return result;
}

Variant Variant::String(Bstr value) {
  Variant result;
  result.value_.vt = VT_BSTR;
  result.value_.bstrVal = value.Detach();
  return result;
}

HRESULT InvokeByName(IDispatch* object, const wchar_t* name, WORD flags,
                     std::span<const Variant> args, VARIANT* result) {
  if (object == nullptr || args.size() > kMaxArguments) return E_INVALIDARG;

  // GetIDsOfNames takes non-const names but only reads them.
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID member = DISPID_UNKNOWN;
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member);
  if (FAILED(hr)) return hr;

  // IDispatch takes the arguments last to first. The copies are shallow: the Variants keep
  // owning what they hold, and Invoke only reads them.
  VARIANTARG reversed[kMaxArguments];
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::memcpy(&reversed[i], &args[args.size() - 1 - i].Get(), sizeof(VARIANTARG));
  }
  // A property put names its value (now the first argument) DISPID_PROPERTYPUT.
  DISPID putId = DISPID_PROPERTYPUT;
  const bool isPut = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  DISPPARAMS params = {};
  params.rgvarg = args.empty() ? nullptr : reversed;
  params.cArgs = static_cast<UINT>(args.size());
  params.rgdispidNamedArgs = isPut ? &putId : nullptr;
  params.cNamedArgs = isPut ? 1 : 0;

  return object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr,
                        nullptr);
}

}  // namespace tessivo::win32
