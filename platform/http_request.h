// An HTTP request object: the six operations of the Windows HTTP Services request object
// ("WinHttp.WinHttpRequest.5.1") that the clock correction uses, in its terms.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tessivo {

class HttpRequest {
 public:
  // Destroying the object releases it.
  virtual ~HttpRequest() = default;

  // Time-outs in milliseconds for name lookup, connecting, sending and receiving.
  virtual bool SetTimeouts(std::int32_t resolveMs, std::int32_t connectMs, std::int32_t sendMs,
                           std::int32_t receiveMs) = 0;

  // Writes the indexed property "Option"; index 6 is EnableRedirects.
  virtual bool PutOption(std::int32_t index, std::int32_t value) = 0;

  // Prepares a request; `asynchronous` false makes Send wait for the reply.
  virtual bool Open(std::string_view method, std::string_view url, bool asynchronous) = 0;

  // Sends the request without a body and, for a synchronous request, returns once the reply
  // has arrived or a time-out or error has ended the exchange.
  virtual bool Send() = 0;

  // The value of one header of the reply as code page 936 text; empty when there is no such
  // header or no reply.
  virtual std::string GetResponseHeader(std::string_view name) = 0;
};

class HttpRequestFactory {
 public:
  virtual ~HttpRequestFactory() = default;

  // A new request object, or null when none can be created.
  virtual std::unique_ptr<HttpRequest> Create() = 0;
};

// Option index of the request object that turns following redirects on (-1) or off (0).
inline constexpr std::int32_t kHttpOptionEnableRedirects = 6;

}  // namespace tessivo
