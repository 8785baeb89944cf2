// Small owners for the COM automation types (BSTR, VARIANT) and late-bound calls through
// IDispatch.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>

#include <span>
#include <string_view>

namespace tessivo::win32 {

// Owns one BSTR (SysFreeString). A null BSTR is a valid empty string to COM.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(BSTR owned) : value_(owned) {}
  ~Bstr() { ::SysFreeString(value_); }

  Bstr(Bstr&& other) noexcept : value_(other.Detach()) {}
  Bstr& operator=(Bstr&& other) noexcept;
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  // The text of the given code page as a BSTR; null when it cannot be converted or allocated.
  static Bstr FromCodePage(UINT codePage, std::string_view text);
  static Bstr FromWide(std::wstring_view text);

  BSTR Get() const { return value_; }
  // Hands the string over, e.g. into a VARIANT that will free it.
  BSTR Detach() {
    BSTR value = value_;
    value_ = nullptr;
    return value;
  }

 private:
  BSTR value_ = nullptr;
};

// Owns one VARIANT (VariantClear).
class Variant {
 public:
  Variant() { ::VariantInit(&value_); }
  ~Variant() { ::VariantClear(&value_); }

  Variant(Variant&& other) noexcept;
  Variant& operator=(Variant&& other) noexcept;
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  static Variant Int32(LONG value);
  // VARIANT_BOOL: true is -1 (all bits set), not 1.
  static Variant Bool(bool value);
  // A VT_BSTR that owns the string; a null BSTR stands for the empty string.
  static Variant String(Bstr value);

  const VARIANT& Get() const { return value_; }
  // Some SDKs declare read-only VARIANT parameters without const (VariantChangeType's source).
  VARIANT& Get() { return value_; }
  VARIANT* Receive() {
    ::VariantClear(&value_);
    return &value_;
  }

 private:
  VARIANT value_;
};

// Looks up `name` and invokes it with `flags` (DISPATCH_METHOD, DISPATCH_PROPERTYPUT, ...).
// `args` are in the order the member declares them; for a property put the last one is the
// value. `result` may be null; otherwise it must be empty (Variant::Receive). Returns the
// first failed HRESULT, or the result of Invoke.
HRESULT InvokeByName(IDispatch* object, const wchar_t* name, WORD flags,
                     std::span<const Variant> args, VARIANT* result);

}  // namespace tessivo::win32
