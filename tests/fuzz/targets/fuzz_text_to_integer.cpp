// Fuzzes TextToInteger against a reference that reads the folded text with 64-bit arithmetic.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "datetime/date_time.h"
#include "sync/date_header_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::int32_t value = tessivo::TextToInteger(text);

  const std::string folded = tessivo::FoldFullWidth(text);
  std::size_t i = folded.find_first_not_of(" \t\n\v\f\r");
  if (i == std::string::npos) i = folded.size();
  bool negative = false;
  if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) negative = folded[i++] == '-';
  std::uint64_t reference = 0;
  for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
    reference = (reference * 10 + static_cast<unsigned>(folded[i] - '0')) & 0xFFFFFFFFu;
  }
  if (negative) reference = (0x100000000u - reference) & 0xFFFFFFFFu;
  if (static_cast<std::uint32_t>(value) != reference) std::abort();
  return 0;
}
