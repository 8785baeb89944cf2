// Fuzzes DateHeaderParser with any header a server could send.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "sync/date_header_parser.h"
#include "tests/fakes/fake_clock.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tessivo::testing::FakeClock clock;
  clock.now = {2026, 12, 11, 13, 0, 0, 5};
  const std::string_view header(reinterpret_cast<const char*>(data), size);
  tessivo::DateTime time = 0;
  const bool accepted = tessivo::DateHeaderParser(clock, header, time);
  const tessivo::DateTime now = tessivo::CurrentDateTime(clock);
  // Rejected: the current time. Accepted: whatever the rebuilt text reads as, which need not
  // be the header's year ("03201" passes as 3201 and is read as 0320-...), or MinDateTime.
  if (!accepted && time != now) std::abort();
  if (accepted && !(time > tessivo::MinDateTime - 1 && time < tessivo::MaxDateTime + 1)) std::abort();
  return 0;
}
