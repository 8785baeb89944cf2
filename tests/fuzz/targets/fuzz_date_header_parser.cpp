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
  // Rejected: the current time. Accepted: a time in the years 2009-5000, or MinDateTime.
  if (!accepted && time != now) std::abort();
  if (accepted && time != tessivo::MinDateTime) {
    const tessivo::DateFields fields = tessivo::SplitDateTime(time);
    if (fields.year < 2009 || fields.year > 5000) std::abort();
  }
  return 0;
}
