// Reading the Date header of an HTTP reply (the RFC 1123 form "Fri, 16 Mar 2012 07:30:00 GMT")
// and the two text operations it rests on.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "datetime/date_time.h"

namespace tessivo {

class Clock;

// Checks the header and rebuilds it as "2012-03-16 07:30:00", which TextToDateTime reads into
// `time` (Greenwich time, nothing shifted). `time` is set to the current local time before any
// check and keeps it whenever the result is false. True once the checks pass, even when the
// rebuilt text cannot be read and `time` becomes MinDateTime.
bool DateHeaderParser(Clock& clock, std::string_view header, DateTime& time);

// Cuts a text into members at every occurrence of the delimiter, stepping over double-byte
// characters. Adjacent delimiters give an empty member, a leading one an empty first member;
// a trailing one gives no empty last member. The members are views into `text`.
std::vector<std::string_view> SplitText(std::string_view text, std::string_view delimiter);

// The decimal number at the start of the text after white space and one sign, full-width
// forms folded; 32-bit two's-complement wrap for longer numbers; 0 when there is no digit.
std::int32_t TextToInteger(std::string_view text);

}  // namespace tessivo
