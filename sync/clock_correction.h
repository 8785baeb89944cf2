// Setting the local clock from the Date header of one HTTP HEAD reply.
#pragma once

#include <string_view>

namespace tessivo {

struct Platform;

// The web server whose Date header the program trusts: scheme and host, no trailing slash.
inline constexpr std::string_view TimeSourceBase = "http://www.baidu.com";

// Asks baseAddress + "/123.123" for its time, adds 8 hours (China Standard Time) and the
// measured delay in whole seconds, and sets the local clock; a refused clock change is reported
// in an error message box. True when a Date header was received and accepted, whether or not
// the clock could then be set.
bool SetClockFromServer(std::string_view baseAddress, const Platform& platform);

}  // namespace tessivo
