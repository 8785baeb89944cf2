// Fuzzes TextToDateTime; every value it reads must come back from its own text form.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "datetime/date_time.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const tessivo::DateTime value = tessivo::TextToDateTime(text);
  // Whole seconds from 0100-01-01 to 9999-12-31 23:59:59. A time of day on the first day
  // lies numerically below MinDateTime (the fraction of a negative day counts backwards), as
  // one on the last day lies above MaxDateTime; both clamp to their day's midnight.
  if (!(value > tessivo::MinDateTime - 1 && value < tessivo::MaxDateTime + 1)) std::abort();
  if (value >= tessivo::MinDateTime && value <= tessivo::MaxDateTime &&
      tessivo::TextToDateTime(tessivo::DateTimeToText(value)) != value) {
    std::abort();
  }
  return 0;
}
