// The Windows clock: what it reads agrees with the system, what it sets is what it read.
#include "platform/win32/clock_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>

#include "datetime/date_time.h"

namespace tessivo {
namespace {

// Whole seconds since 1601, or -1 for a time the system cannot place.
std::int64_t Seconds(const SYSTEMTIME& time) {
  FILETIME file;
  if (!::SystemTimeToFileTime(&time, &file)) return -1;
  ULARGE_INTEGER ticks;
  ticks.LowPart = file.dwLowDateTime;
  ticks.HighPart = file.dwHighDateTime;
  return static_cast<std::int64_t>(ticks.QuadPart / 10'000'000);
}

SYSTEMTIME ToSystemTime(const DateFields& fields) {
  SYSTEMTIME time = {};
  time.wYear = static_cast<WORD>(fields.year);
  time.wMonth = static_cast<WORD>(fields.month);
  time.wDay = static_cast<WORD>(fields.day);
  time.wHour = static_cast<WORD>(fields.hour);
  time.wMinute = static_cast<WORD>(fields.minute);
  time.wSecond = static_cast<WORD>(fields.second);
  return time;
}

const char* TimeZoneVariable() {
  const char* zone = std::getenv("TZ");
  return zone != nullptr ? zone : "(unset)";
}

TEST(Win32Clock, ReadsTheSystemLocalTime) {
  win32::Win32Clock clock;
  SYSTEMTIME before;
  ::GetLocalTime(&before);
  const DateFields read = clock.ReadLocalTime();
  SYSTEMTIME after;
  ::GetLocalTime(&after);

  const std::int64_t seconds = Seconds(ToSystemTime(read));
  // The C runtime reads the TZ variable on its own; a zone it misreads shows up here.
  EXPECT_LE(Seconds(before), seconds) << "TZ=" << TimeZoneVariable();
  EXPECT_LE(seconds, Seconds(after)) << "TZ=" << TimeZoneVariable();
  EXPECT_EQ(read.dayOfWeek, before.wDayOfWeek);  // midnight between the readings: run again
}

// Wine lets a program set the clock only to within half a second of the time it is (and never
// changes the host's clock); Windows without the right to change it refuses. The time read
// just after a second begins is within that half second, so setting it back must succeed
// wherever the clock may be set at all, and only if every field reaches the system right.
TEST(Win32Clock, SetsTheTimeItJustRead) {
  win32::Win32Clock clock;
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  const WORD second = now.wSecond;
  while (now.wSecond == second) {
    ::Sleep(1);
    ::GetLocalTime(&now);
  }
  EXPECT_TRUE(SetCurrentDateTime(clock, CurrentDateTime(clock))) << "error " << ::GetLastError();
}

TEST(Win32Clock, RefusesTheEarliestDate) {
  win32::Win32Clock clock;
  EXPECT_FALSE(SetCurrentDateTime(clock, MinDateTime));
}

TEST(Win32Clock, TicksWithTheSystemCounter) {
  win32::Win32Clock clock;
  const std::uint32_t before = ::GetTickCount();
  const std::int32_t first = clock.TickCount();
  const std::uint32_t after = ::GetTickCount();
  // Unsigned differences: right across a wrap of the counter.
  EXPECT_LE(static_cast<std::uint32_t>(first) - before, after - before);

  ::Sleep(50);
  const std::uint32_t elapsed = ElapsedMilliseconds(first, clock.TickCount());
  EXPECT_GE(elapsed, 40u);
  EXPECT_LT(elapsed, 5000u);
}

}  // namespace
}  // namespace tessivo
