// Fuzzes SplitText: the first byte chooses the delimiter's length; joining the members with
// the delimiter gives the text back, less at most one delimiter at its end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sync/date_header_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t delimiterSize = std::min<std::size_t>(data[0] % 4, size - 1);
  const std::string_view delimiter(reinterpret_cast<const char*>(data) + 1, delimiterSize);
  const std::string_view text(reinterpret_cast<const char*>(data) + 1 + delimiterSize, size - 1 - delimiterSize);

  const auto members = tessivo::SplitText(text, delimiter);
  if (delimiter.empty()) {
    if (!text.empty() && (members.size() != 1 || members[0] != text)) std::abort();
    return 0;
  }
  std::string joined;
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (i > 0) joined.append(delimiter);
    joined.append(members[i]);
  }
  const bool same = joined == text;
  const bool lessTrailingDelimiter = joined + std::string(delimiter) == text;
  if (!same && !lessTrailingDelimiter) std::abort();
  return 0;
}
