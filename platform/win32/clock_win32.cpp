// The Windows local clock and tick counter.
#include "platform/win32/clock_win32.h"

#include <windows.h>

#include <ctime>

namespace tessivo::win32 {

DateFields Win32Clock::ReadLocalTime() {
  // The C runtime's reading of the clock is whole seconds already. The Microsoft C runtime
  // keeps localtime's result per thread, so the pointer is safe to read here.
  const std::time_t now = std::time(nullptr);
  if (now != static_cast<std::time_t>(-1)) {
    if (const std::tm* local = std::localtime(&now)) {
      return DateFields{local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour,
                        local->tm_min,         local->tm_sec,     local->tm_wday};
    }
  }
  // The C runtime cannot place this moment (a clock before 1970 or past its range); the
  // system can.
  SYSTEMTIME system;
  ::GetLocalTime(&system);
  return DateFields{system.wYear, system.wMonth,  system.wDay,      system.wHour,
                    system.wMinute, system.wSecond, system.wDayOfWeek};
}

bool Win32Clock::SetLocalTime(const DateFields& fields) {
  // Out-of-range fields wrap into the WORDs; the system then refuses the time, which is the
  // answer the caller needs.
  SYSTEMTIME system = {};
  system.wYear = static_cast<WORD>(fields.year);
  system.wMonth = static_cast<WORD>(fields.month);
  system.wDayOfWeek = static_cast<WORD>(fields.dayOfWeek);
  system.wDay = static_cast<WORD>(fields.day);
  system.wHour = static_cast<WORD>(fields.hour);
  system.wMinute = static_cast<WORD>(fields.minute);
  system.wSecond = static_cast<WORD>(fields.second);
  system.wMilliseconds = 0;
  return ::SetLocalTime(&system) != FALSE;
}

std::int32_t Win32Clock::TickCount() {
  // Since C++20 the conversion of an unsigned value to a signed type is modular: values of
  // 2^31 and above come out negative, as the interface wants.
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(::GetTickCount()));
}

}  // namespace tessivo::win32
