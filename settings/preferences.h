// The preference file: whether the recommendation window appears at start-up. A profile (INI)
// file in code page 936 at a fixed path, read and written through the platform's profile
// functions.
#pragma once

#include <string>
#include <string_view>

namespace tessivo {
class ProfileFiles;
}  // namespace tessivo

namespace tessivo::settings {

// A fixed absolute path, not derived from the Windows folder: the file has always been there.
inline constexpr std::string_view kPreferenceFile = "C:\\WINDOWS\\time.ini";
inline constexpr std::string_view kPreferenceSection = "time_广告";
inline constexpr std::string_view kPreferenceKey = "time_广告1";
// Exactly this value hides the recommendation window; anything else, nothing included, shows it.
inline constexpr std::string_view kRecommendationHidden = "1";
inline constexpr std::string_view kRecommendationShown = "0";

// The value of `key` in `section` of the file at `path`. Leading bytes 1 to 32 (control
// characters and spaces) of each of the three texts are skipped; when one of them is then
// empty the result is empty and the file is not read. Empty when the file, the section or the
// key does not exist.
std::string ReadProfileText(ProfileFiles& profiles, std::string_view path, std::string_view section,
                            std::string_view key);

// Stores `value` under `key` in `section` of the file at `path`, the texts as given. The
// platform's success.
bool WriteProfileText(ProfileFiles& profiles, std::string_view path, std::string_view section, std::string_view key,
                      std::string_view value);

}  // namespace tessivo::settings
