// Fuzzes FoldFullWidth: never longer than its input, and folding twice changes nothing more.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "datetime/date_time.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string folded = tessivo::FoldFullWidth(text);
  if (folded.size() > text.size()) std::abort();
  if (tessivo::FoldFullWidth(folded) != folded) std::abort();
  return 0;
}
