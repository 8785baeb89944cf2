// The split form of a local date and time, as the calendar and the clock see it.
#pragma once

namespace tessivo {

// All plain ints. A valid set has year 100-9999, month 1-12, day 1 to the month's length,
// hour 0-23, minute 0-59, second 0-59; dayOfWeek is 0 (Sunday) to 6 (Saturday) and matters only
// when the clock is set.
struct DateFields {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int dayOfWeek = 0;

  friend bool operator==(const DateFields&, const DateFields&) = default;
};

}  // namespace tessivo
