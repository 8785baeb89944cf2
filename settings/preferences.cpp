// The preference file through the platform's profile functions.
#include "settings/preferences.h"

#include "platform/profile.h"

namespace tessivo::settings {
namespace {

// Skips the leading control characters and spaces: bytes 1 to 32. A byte with the high bit
// set is never one of them, so no double-byte character is cut.
std::string_view SkipLeadingBlanks(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (byte < 1 || byte > 32) break;
    ++pos;
  }
  return text.substr(pos);
}

}  // namespace

std::string ReadProfileText(ProfileFiles& profiles, std::string_view path, std::string_view section,
                            std::string_view key) {
  const std::string_view file = SkipLeadingBlanks(path);
  const std::string_view name = SkipLeadingBlanks(section);
  const std::string_view entry = SkipLeadingBlanks(key);
  if (file.empty() || name.empty() || entry.empty()) return {};
  return profiles.ReadString(file, name, entry);
}

bool WriteProfileText(ProfileFiles& profiles, std::string_view path, std::string_view section, std::string_view key,
                      std::string_view value) {
  return profiles.WriteString(path, section, key, value);
}

}  // namespace tessivo::settings
