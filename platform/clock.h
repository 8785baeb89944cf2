// The machine's local wall clock and its millisecond tick counter.
#pragma once

#include <cstdint>

#include "datetime/date_fields.h"

namespace tessivo {

class Clock {
 public:
  virtual ~Clock() = default;

  // The local wall-clock time, to the whole second: the part below one second is dropped.
  virtual DateFields ReadLocalTime() = 0;

  // Sets the local wall-clock time from the fields (dayOfWeek included), milliseconds 0.
  // False when the system refused the new time, as a rule for want of the right to change it.
  virtual bool SetLocalTime(const DateFields& fields) = 0;

  // Milliseconds since the system started: a 32-bit count that wraps after about 49.7 days,
  // handed on as a signed value.
  virtual std::int32_t TickCount() = 0;
};

}  // namespace tessivo
