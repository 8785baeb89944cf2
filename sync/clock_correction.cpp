// SetClockFromServer: one HEAD request, the Date header, eight hours and the delay added, the
// local clock set.
#include "sync/clock_correction.h"

#include <cstdint>
#include <memory>
#include <string>

#include "datetime/date_time.h"
#include "platform/clock.h"
#include "platform/http_request.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "sync/date_header_parser.h"

namespace tessivo {
namespace {

constexpr std::string_view kProbePath = "/123.123";
constexpr std::string_view kRequestMethod = "HEAD";
constexpr std::string_view kDateHeader = "Date";

constexpr std::int32_t kResolveTimeoutMs = 5000;
constexpr std::int32_t kConnectTimeoutMs = 5000;
constexpr std::int32_t kSendTimeoutMs = 10000;
constexpr std::int32_t kReceiveTimeoutMs = 5000;

// The server's Date is Greenwich time; the clock is set to China Standard Time whatever time
// zone the machine is set to.
constexpr std::int32_t kZoneOffsetHours = 8;
constexpr double kMillisecondsPerSecond = 1000;

constexpr std::string_view kClockRefusedText = "时间修改失败，请检查你是否有足够的权限修改本机时间！";
constexpr std::string_view kClockRefusedTitle = "错误";

}  // namespace

bool SetClockFromServer(std::string_view baseAddress, const Platform& platform) {
  // The request object lives only for this call: released on every return below.
  const std::unique_ptr<HttpRequest> request = platform.http.Create();
  if (!request) return false;

  // A failure of these two leaves the object's own settings in force; the exchange goes on.
  request->SetTimeouts(kResolveTimeoutMs, kConnectTimeoutMs, kSendTimeoutMs, kReceiveTimeoutMs);
  request->PutOption(kHttpOptionEnableRedirects, 0);  // a redirect reply is the answer

  std::string url(baseAddress);
  url.append(kProbePath);
  // A failed open or send shows up as a missing header below.
  request->Open(kRequestMethod, url, false);

  const std::int32_t startReading = UptimeMilliseconds(platform.clock);
  request->Send();
  const std::string header = request->GetResponseHeader(kDateHeader);
  if (header.empty()) return false;

  DateTime serverTime = 0;
  if (!DateHeaderParser(platform.clock, header, serverTime)) return false;

  // The whole measured interval in whole seconds, truncated: under a second adds nothing.
  const std::int32_t finishReading = UptimeMilliseconds(platform.clock);
  const double delaySeconds =
      DivideWhole(ElapsedMilliseconds(startReading, finishReading), kMillisecondsPerSecond);

  DateTime corrected = AddToDateTime(serverTime, TimeUnit::Hour, kZoneOffsetHours);
  corrected = AddToDateTime(corrected, TimeUnit::Second, static_cast<std::int32_t>(delaySeconds));
  if (!SetCurrentDateTime(platform.clock, corrected)) {
    platform.messageBox.ShowMessageBox(kClockRefusedText, kMessageBoxIconError, kClockRefusedTitle);
  }
  return true;
}

}  // namespace tessivo
