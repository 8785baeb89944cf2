// Tessivo's own names and addresses, as the windows show and open them.
#pragma once

#include <string_view>

namespace tessivo::ui {

inline constexpr std::string_view kMakerSiteName = "tessivo.com";
inline constexpr std::string_view kMakerSite = "http://www.tessivo.com";
// The home page, with the query that tells Tessivo the visit came from this program.
inline constexpr std::string_view kMakerHomePage = "http://www.tessivo.com/?time";
inline constexpr std::string_view kMakerMicroblog = "http://weibo.com/tessivo";
// The copyright line; the site name in it lies under a link label of its own.
inline constexpr std::string_view kMakerCopyright = "版权所有 tessivo.com 2012";

}  // namespace tessivo::ui
