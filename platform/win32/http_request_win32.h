// HTTP requests through the Windows HTTP Services automation object
// "WinHttp.WinHttpRequest.5.1", driven by late binding through IDispatch.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <utility>
#include <vector>

#include "platform/http_request.h"

namespace tessivo::win32 {

class WinHttpRequest final : public HttpRequest {
 public:
  // Takes any IDispatch that answers to the request object's member names.
  explicit WinHttpRequest(Microsoft::WRL::ComPtr<IDispatch> request);

  bool SetTimeouts(std::int32_t resolveMs, std::int32_t connectMs, std::int32_t sendMs,
                   std::int32_t receiveMs) override;
  bool PutOption(std::int32_t index, std::int32_t value) override;
  bool Open(std::string_view method, std::string_view url, bool asynchronous) override;
  bool Send() override;
  std::string GetResponseHeader(std::string_view name) override;

 private:
  struct Timeouts {
    std::int32_t resolveMs;
    std::int32_t connectMs;
    std::int32_t sendMs;
    std::int32_t receiveMs;
  };

  bool CallSetTimeouts(const Timeouts& timeouts);
  bool CallPutOption(std::int32_t index, std::int32_t value);

  Microsoft::WRL::ComPtr<IDispatch> request_;
  // What was set before "open", to be set again after it (see Open).
  bool haveTimeouts_ = false;
  Timeouts timeouts_ = {};
  std::vector<std::pair<std::int32_t, std::int32_t>> options_;
};

// Creates the request object; null when it is not registered or will not start.
class WinHttpRequestFactory final : public HttpRequestFactory {
 public:
  std::unique_ptr<HttpRequest> Create() override;
};

}  // namespace tessivo::win32
