// Test-side date values for tables of cases: Howard Hinnant's
// days_from_civil, shifted to the OLE Automation epoch 1899-12-30.
#pragma once

#include "datetime/date_time.h"

namespace tessivo::testing {

constexpr long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

// 1899-12-30 is 25569 days before 1970-01-01.
constexpr long long OleDay(int y, int m, int d) {
  return DaysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d)) + 25569;
}

// The OLE value of a local date and time: the day number and the time of day as its fraction,
// the fraction's magnitude counting forward from midnight also before 1899-12-30.
constexpr DateTime Ole(int y, int m, int d, int hh = 0, int mm = 0, int ss = 0) {
  const double n = static_cast<double>(OleDay(y, m, d));
  const double t = (hh * 3600 + mm * 60 + ss) / 86400.0;
  return n >= 0 ? n + t : n - t;
}

}  // namespace tessivo::testing
