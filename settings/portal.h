// The recommended web portal: the address offered as the browser's start page and opened by
// the portal's links.
#pragma once

#include <string_view>

namespace tessivo {

// Scheme, host, "/", "?" and Tessivo's five-digit referral number at the portal.
inline constexpr std::string_view PortalAddress = "http://www.2345.com/?27182";

}  // namespace tessivo
