// DateTime: a local date and time in the OLE Automation date convention, and every operation
// the program performs on it.
//
// The value is a double: the integer part counts days from 1899-12-30 (day 0), the fraction is
// the time of day. For a negative value the integer part counts days before 1899-12-30 and the
// magnitude of the fraction is still the time of day, so -1.25 is 1899-12-29 06:00:00. The
// calendar is the proleptic Gregorian one; there is no time zone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "datetime/date_fields.h"

namespace tessivo {

class Clock;

using DateTime = double;

inline constexpr DateTime MinDateTime = -657434.0;  // 0100-01-01 00:00:00
inline constexpr DateTime MaxDateTime = 2958465.0;  // 9999-12-31 00:00:00, the start of that day

// The unit of AddToDateTime. Values outside 1-8 can reach AddToDateTime (the type is a plain
// int underneath); below 1 acts as Year, above 8 as Second.
enum class TimeUnit : int {
  Year = 1,
  Quarter = 2,
  Month = 3,
  Week = 4,
  Day = 5,
  Hour = 6,
  Minute = 7,
  Second = 8,
};

// Above MaxDateTime, and NaN, gives MaxDateTime; below MinDateTime gives MinDateTime.
DateTime ClampDateTime(DateTime value);

// Splits a value within the range into fields, to the nearest second (half a second goes up).
DateFields SplitDateTime(DateTime value);

// Joins fields that NormalizeFields leaves unchanged; dayOfWeek is not read.
DateTime JoinDateTime(const DateFields& fields);

// Clamps each field into its range, then lowers the day to the length of the month.
// dayOfWeek is passed through untouched.
DateFields NormalizeFields(DateFields fields);

// Replaces the full-width forms of ASCII characters (A3A1-A3FE), the ideographic space (A1A1),
// A1AB and A1EE/A1EF by their single-byte forms. A cut lead byte at the end is dropped.
std::string FoldFullWidth(std::string_view text);

// Reads year, month, day, hour, minute and second from the start of the text, in the forms
// "2012-03-16 08:05:09", "2012/3/16 8:5", "20120316080509" or "2012年3月16日8时5分9秒" (full-width
// digits and signs too). MinDateTime for a text that cannot be read.
DateTime TextToDateTime(std::string_view text);

// Adds count steps of unit. A count of 0 gives the value back as it is, even out of range.
DateTime AddToDateTime(DateTime value, TimeUnit unit, std::int32_t count);

// "2012年3月16日8时5分9秒", with trailing zero time parts left off ("2012年3月16日8时").
std::string DateTimeToText(DateTime value);

// The printf form "%.13g" with a three-digit exponent ("235", "0.5", "1e+013", "1e-005"),
// the same on every platform and in every locale.
std::string RealToText(double value);

// a / b with the fraction dropped (toward zero). A divisor of 0 is a fatal error: the error
// message box is shown and the process ends with exit code -1.
double DivideWhole(double dividend, double divisor);

// The local clock, to the whole second.
DateTime CurrentDateTime(Clock& clock);

// Milliseconds since the system started, a 32-bit count that wraps.
std::int32_t UptimeMilliseconds(Clock& clock);

// Milliseconds from the earlier reading to the later one, modulo 2^32: right across one wrap
// of the counter.
std::uint32_t ElapsedMilliseconds(std::int32_t earlier, std::int32_t later);

// Sets the local clock to the value's nearest second, milliseconds 0. True when the platform
// accepted the new time.
bool SetCurrentDateTime(Clock& clock, DateTime value);

}  // namespace tessivo
