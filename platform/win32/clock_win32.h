// The Windows local clock and tick counter.
#pragma once

#include "platform/clock.h"

namespace tessivo::win32 {

class Win32Clock final : public Clock {
 public:
  DateFields ReadLocalTime() override;
  bool SetLocalTime(const DateFields& fields) override;
  std::int32_t TickCount() override;
};

}  // namespace tessivo::win32
