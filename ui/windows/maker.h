// Tessivo's own names and addresses, as the windows show and open them.
#pragma once

#include <string_view>

namespace tessivo::ui {

inline constexpr std::string_view kMakerSiteName = "tessivo.com";
inline constexpr std::string_view kMakerSite = "http://www.tessivo.com";
// The home page, with the query that tells Tessivo the visit came from this program.
inline constexpr std::string_view kMakerHomePage = "http://www.tessivo.com/?time";
inline constexpr std::string_view kMakerMicroblog = "http://weibo.com/tessivo";
inline constexpr std::string_view kMakerTencentMicroblog = "http://t.qq.com/tessivo";
// The blog as its link shows it, and the address it opens: the query tells Tessivo the visit
// came from the recommendation window.
inline constexpr std::string_view kMakerBlog = "http://blog.tessivo.com";
inline constexpr std::string_view kMakerBlogAddress = "http://blog.tessivo.com/?time_ad";
// The copyright line; the site name in it lies under a link label of its own.
inline constexpr std::string_view kMakerCopyright = "版权所有 tessivo.com 2012";

}  // namespace tessivo::ui
