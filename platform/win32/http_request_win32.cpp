// HTTP requests through the Windows HTTP Services automation object, by late binding.
#include "platform/win32/http_request_win32.h"

#include <objbase.h>
#include <ole2.h>

#include <new>

#include "platform/win32/com_util.h"
#include "platform/win32/code_page.h"

namespace tessivo::win32 {

using Microsoft::WRL::ComPtr;

WinHttpRequest::WinHttpRequest(ComPtr<IDispatch> request) : request_(std::move(request)) {}

bool WinHttpRequest::CallSetTimeouts(const Timeouts& timeouts) {
  const Variant args[] = {Variant::Int32(timeouts.resolveMs), Variant::Int32(timeouts.connectMs),
                          Variant::Int32(timeouts.sendMs), Variant::Int32(timeouts.receiveMs)};
  return SUCCEEDED(InvokeByName(request_.Get(), L"SetTimeouts", DISPATCH_METHOD, args, nullptr));
}

bool WinHttpRequest::CallPutOption(std::int32_t index, std::int32_t value) {
  // "Option" is an indexed property: the index comes first, the value last.
  const Variant args[] = {Variant::Int32(index), Variant::Int32(value)};
  return SUCCEEDED(InvokeByName(request_.Get(), L"Option", DISPATCH_PROPERTYPUT, args, nullptr));
}

bool WinHttpRequest::SetTimeouts(std::int32_t resolveMs, std::int32_t connectMs,
                                 std::int32_t sendMs, std::int32_t receiveMs) {
  const Timeouts timeouts = {resolveMs, connectMs, sendMs, receiveMs};
  if (!CallSetTimeouts(timeouts)) return false;
  timeouts_ = timeouts;
  haveTimeouts_ = true;
  return true;
}

bool WinHttpRequest::PutOption(std::int32_t index, std::int32_t value) {
  if (!CallPutOption(index, value)) return false;
  for (auto& option : options_) {
    if (option.first == index) {
      option.second = value;
      return true;
    }
  }
  options_.emplace_back(index, value);
  return true;
}

bool WinHttpRequest::Open(std::string_view method, std::string_view url, bool asynchronous) {
  // The request object takes the address as a wide string; ours is in the system's code page,
  // like every text the program hands to the ANSI side of Windows.
  const Variant args[] = {Variant::String(Bstr::FromCodePage(CP_ACP, method)),
                          Variant::String(Bstr::FromCodePage(CP_ACP, url)),
                          Variant::Bool(asynchronous)};
  if (FAILED(InvokeByName(request_.Get(), L"open", DISPATCH_METHOD, args, nullptr))) return false;

  // Wine's request object puts the time-outs and options back to their defaults in "open"
  // (Windows keeps them), so that a redirect would be followed and a time-out lost. Setting
  // them again here keeps the caller's order (time-outs, options, open) right on both. If that
  // fails the open fails too: the request would otherwise go out with settings never asked for.
  if (haveTimeouts_ && !CallSetTimeouts(timeouts_)) return false;
  for (const auto& [index, value] : options_) {
    if (!CallPutOption(index, value)) return false;
  }
  return true;
}

bool WinHttpRequest::Send() {
  return SUCCEEDED(InvokeByName(request_.Get(), L"send", DISPATCH_METHOD, {}, nullptr));
}

std::string WinHttpRequest::GetResponseHeader(std::string_view name) {
  const Variant args[] = {Variant::String(Bstr::FromCodePage(CP_ACP, name))};
  Variant result;
  if (FAILED(InvokeByName(request_.Get(), L"GetResponseHeader", DISPATCH_METHOD, args,
                          result.Receive()))) {
    return std::string();
  }
  // The object answers with a string; anything else is read as text too, and what has no text
  // form (null, an object) is no header.
  Variant text;
  if (result.Get().vt == VT_BSTR) {
    text = std::move(result);
  } else if (FAILED(::VariantChangeType(text.Receive(), &result.Get(), 0, VT_BSTR))) {
    return std::string();
  }
  // Wine's object counts the string's terminating null in its length; no header value holds a
  // null, so the value ends at the first one.
  const BSTR value = text.Get().bstrVal;
  std::wstring_view wide(value, ::SysStringLen(value));
  wide = wide.substr(0, wide.find(L'\0'));
  return WideToCodePage(CP_ACP, wide);
}

std::unique_ptr<HttpRequest> WinHttpRequestFactory::Create() {
  CLSID clsid;
  if (FAILED(::CLSIDFromProgID(L"WinHttp.WinHttpRequest.5.1", &clsid))) return nullptr;
  ComPtr<IUnknown> object;
  if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_PPV_ARGS(&object)))) {
    return nullptr;
  }
  // A local server must be running before its object is used; for an in-process object this
  // does nothing.
  if (FAILED(::OleRun(object.Get()))) return nullptr;
  ComPtr<IDispatch> dispatch;
  if (FAILED(object.As(&dispatch))) return nullptr;
  return std::unique_ptr<HttpRequest>(new (std::nothrow) WinHttpRequest(std::move(dispatch)));
}

}  // namespace tessivo::win32
