// DateTime operations: splitting and joining, text forms, calendar arithmetic.
#include "datetime/date_time.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

#include "platform/clock.h"
#include "platform/fatal_error.h"
#include "text/cp936.h"

namespace tessivo {
namespace {

constexpr double kSecondsPerDay = 86400.0;
// Half a second in days: splitting goes to the nearest second.
constexpr double kHalfSecondDays = 1.0 / 172800.0;

// Days from 1970-01-01 to 1899-12-30, day 0 of the OLE Automation calendar.
constexpr int kOleEpochFromUnix = -25569;

// Howard Hinnant's days_from_civil and civil_from_days: proleptic Gregorian dates to and from a
// count of days since 1970-01-01, exact for every date of the range (and far beyond). The
// year is shifted to start in March, so the leap day falls at the end of it and the month
// lengths follow from (153 * m + 2) / 5.
int DaysFromCivil(int year, int month, int day) {
  // Precondition: a valid date, year >= 1.
  year -= month <= 2;
  const int era = year / 400;
  const int yearOfEra = year - era * 400;                                  // [0, 399]
  const int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;  // [0, 365]
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;  // [0, 146096]
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int days, int& year, int& month, int& day) {
  // Precondition: days at or after 0001-03-01.
  days += 719468;
  const int era = days / 146097;
  const int dayOfEra = days - era * 146097;                                             // [0, 146096]
  const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;  // [0, 399]
  const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);  // [0, 365]
  const int shiftedMonth = (5 * dayOfYear + 2) / 153;                                  // [0, 11], March first
  day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
  month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
  year = yearOfEra + era * 400 + (month <= 2);
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  // Precondition: month 1-12. Every month but February: 31 from March on and again from
  // August on, alternating with 30.
  if (month == 2) return IsLeapYear(year) ? 29 : 28;
  return 30 + ((month + (month >= 8 ? 1 : 0)) & 1);
}

// Days from 1899-12-30 to a valid date (negative before it).
int DayNumber(int year, int month, int day) { return DaysFromCivil(year, month, day) - kOleEpochFromUnix; }

// A value whose integer part is the day and whose fraction's magnitude is the time of day, as
// a plain count of days on one line (-1.25, 1899-12-29 06:00, becomes -0.75), and back.
double ToLinearDays(double value) {
  if (value >= 0) return value;
  const double day = std::ceil(value);
  return day - (value - day);
}

double FromLinearDays(double linear) {
  if (linear >= 0) return linear;
  const double day = std::floor(linear);
  return day + (day - linear);
}

// The single byte that a full-width or other foldable double-byte character stands for, or 0.
char FoldedByte(std::string_view ch) {
  if (ch.size() != 2) return 0;
  const auto lead = static_cast<unsigned char>(ch[0]);
  const auto trail = static_cast<unsigned char>(ch[1]);
  if (lead == 0xA1) {
    switch (trail) {
      case 0xA1: return ' ';  // ideographic space
      case 0xAB: return '~';
      case 0xEE:
      case 0xEF: return '*';
      default: return 0;
    }
  }
  if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
    return static_cast<char>(trail - 0x80);  // the full-width forms of "!" to "~"
  }
  return 0;
}

// Reads a text the way FoldFullWidth would leave it, one character at a time, without making
// the folded copy: reading a date stops after a few characters, whatever the text's length.
class FoldedReader {
 public:
  explicit FoldedReader(std::string_view text) : text_(text) { Load(); }

  bool AtEnd() const { return current_.empty(); }
  // The current character after folding: one byte or a double-byte character.
  std::string_view Peek() const { return current_; }
  void Next() {
    pos_ += raw_size_;
    Load();
  }

 private:
  void Load() {
    const std::string_view raw = text::CharAt(text_, pos_);
    raw_size_ = raw.size();
    folded_ = FoldedByte(raw);
    current_ = folded_ != 0 ? std::string_view(&folded_, 1) : raw;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t raw_size_ = 0;
  char folded_ = 0;
  std::string_view current_;
};

bool IsDigit(std::string_view ch) { return ch.size() == 1 && ch[0] >= '0' && ch[0] <= '9'; }

// Up to maxDigits decimal digits; 0 and nothing consumed when no digit stands there.
int ReadNumber(FoldedReader& reader, int maxDigits) {
  int value = 0;
  for (int i = 0; i < maxDigits && IsDigit(reader.Peek()); ++i) {
    value = value * 10 + (reader.Peek()[0] - '0');
    reader.Next();
  }
  return value;
}

// Skips one separator if one stands there: a byte of "/-:." (and a space when allowed) or the
// field's own double-byte character.
void SkipSeparator(FoldedReader& reader, std::string_view fieldChar, bool spaceAllowed) {
  const std::string_view ch = reader.Peek();
  const bool isSeparator = ch == "/" || ch == "-" || ch == ":" || ch == "." || ch == fieldChar ||
                           (spaceAllowed && ch == " ");
  if (isSeparator) reader.Next();
}

// Appends a non-negative decimal number to the buffer.
char* AppendNumber(char* out, char* end, int value) {
  return std::to_chars(out, end, value).ptr;
}

char* AppendText(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

}  // namespace

DateTime ClampDateTime(DateTime value) {
  if (std::isnan(value) || value > MaxDateTime) return MaxDateTime;
  if (value < MinDateTime) return MinDateTime;
  return value;
}

DateFields SplitDateTime(DateTime value) {
  // Precondition: MinDateTime <= value <= MaxDateTime.
  const double rounded = value > 0 ? value + kHalfSecondDays : value - kHalfSecondDays;
  double dayNumber = std::trunc(rounded);
  const double magnitude = std::fabs(rounded);
  auto secondOfDay = static_cast<int>((magnitude - std::floor(magnitude)) * kSecondsPerDay);
  // A negative value within half a second of its midnight rounds up to the next day: the day
  // after the one it lies in, at 00:00:00. Going by the rounded magnitude alone would step a
  // day further back instead.
  if (value < 0 && dayNumber != std::trunc(value)) {
    dayNumber = std::trunc(value) + 1;
    secondOfDay = 0;
  }

  const auto n = static_cast<int>(dayNumber);
  DateFields fields;
  CivilFromDays(n + kOleEpochFromUnix, fields.year, fields.month, fields.day);
  fields.hour = secondOfDay / 3600;
  fields.minute = secondOfDay / 60 % 60;
  fields.second = secondOfDay % 60;
  // 1899-12-30 was a Saturday; 693958 is a multiple of 7 plus 6 that keeps the sum positive
  // over the whole range.
  fields.dayOfWeek = (n + 693958) % 7;
  return fields;
}

DateTime JoinDateTime(const DateFields& fields) {
  const int n = DayNumber(fields.year, fields.month, fields.day);
  const double t = (fields.hour * 3600 + fields.minute * 60 + fields.second) / kSecondsPerDay;
  return n >= 0 ? n + t : n - t;
}

DateFields NormalizeFields(DateFields fields) {
  fields.year = std::clamp(fields.year, 100, 9999);
  fields.month = std::clamp(fields.month, 1, 12);
  fields.day = std::clamp(fields.day, 1, DaysInMonth(fields.year, fields.month));
  fields.hour = std::clamp(fields.hour, 0, 23);
  fields.minute = std::clamp(fields.minute, 0, 59);
  fields.second = std::clamp(fields.second, 0, 59);
  return fields;
}

std::string FoldFullWidth(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (const std::string_view ch : text::Characters(text)) {
    const char single = FoldedByte(ch);
    if (single != 0) {
      folded.push_back(single);
    } else {
      folded.append(ch);
    }
  }
  return folded;
}

DateTime TextToDateTime(std::string_view text) {
  FoldedReader reader(text);
  if (reader.AtEnd()) return MinDateTime;

  DateFields fields;
  fields.year = ReadNumber(reader, 4);
  SkipSeparator(reader, "年", false);
  fields.month = ReadNumber(reader, 2);
  SkipSeparator(reader, "月", false);
  fields.day = ReadNumber(reader, 2);
  SkipSeparator(reader, "日", true);
  fields.hour = ReadNumber(reader, 2);
  SkipSeparator(reader, "时", false);
  fields.minute = ReadNumber(reader, 2);
  SkipSeparator(reader, "分", false);
  fields.second = ReadNumber(reader, 2);

  // The text ends here or goes on with 秒, after which anything may follow.
  if (!reader.AtEnd() && reader.Peek() != "秒") return MinDateTime;
  // Every field must already lie in its range, and the day must exist in that month.
  if (NormalizeFields(fields) != fields) return MinDateTime;
  return JoinDateTime(fields);
}

DateTime AddToDateTime(DateTime value, TimeUnit unit, std::int32_t count) {
  const int unitCode = std::clamp(static_cast<int>(unit), 1, 8);
  if (count == 0) return value;

  const DateTime clamped = ClampDateTime(value);
  switch (static_cast<TimeUnit>(unitCode)) {
    case TimeUnit::Year:
    case TimeUnit::Quarter:
    case TimeUnit::Month: {
      DateFields fields = SplitDateTime(clamped);
      // 64-bit: a count of up to 2^31 years or quarters must not overflow before the clamp.
      std::int64_t months = std::int64_t{fields.month} - 1;
      std::int64_t year = fields.year;
      if (unitCode == static_cast<int>(TimeUnit::Year)) year += count;
      if (unitCode == static_cast<int>(TimeUnit::Quarter)) months += std::int64_t{3} * count;
      if (unitCode == static_cast<int>(TimeUnit::Month)) months += count;
      // Carry whole years out of the month, flooring for negative months.
      const std::int64_t carry = months >= 0 ? months / 12 : -((-months + 11) / 12);
      year += carry;
      fields.month = static_cast<int>(months - carry * 12) + 1;
      fields.year = static_cast<int>(std::clamp<std::int64_t>(year, 100, 9999));
      return JoinDateTime(NormalizeFields(fields));
    }
    default: {
      const double k = std::fabs(static_cast<double>(count));
      double span = 0;
      switch (static_cast<TimeUnit>(unitCode)) {
        case TimeUnit::Week: span = 7 * k; break;
        case TimeUnit::Day: span = k; break;
        case TimeUnit::Hour: span = k * (1.0 / 24); break;
        case TimeUnit::Minute: span = k * (1.0 / 1440); break;
        default: span = k * (1.0 / 86400); break;
      }
      const double linear = ToLinearDays(clamped);
      return FromLinearDays(count > 0 ? linear + span : linear - span);
    }
  }
}

std::string DateTimeToText(DateTime value) {
  const DateFields f = SplitDateTime(ClampDateTime(value));
  // "9999年12月31日23时59分59秒" is 26 bytes; room to spare.
  std::array<char, 48> buffer;
  char* const end = buffer.data() + buffer.size();
  char* out = buffer.data();
  out = AppendText(AppendNumber(out, end, f.year), "年");
  out = AppendText(AppendNumber(out, end, f.month), "月");
  out = AppendText(AppendNumber(out, end, f.day), "日");
  if (f.second != 0 || f.minute != 0 || f.hour != 0) {
    out = AppendText(AppendNumber(out, end, f.hour), "时");
  }
  if (f.second != 0 || f.minute != 0) {
    out = AppendText(AppendNumber(out, end, f.minute), "分");
  }
  if (f.second != 0) {
    out = AppendText(AppendNumber(out, end, f.second), "秒");
  }
  return std::string(buffer.data(), out);
}

std::string RealToText(double value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  // to_chars in the general form with 13 digits is printf's "%.13g", without the locale's
  // decimal point; it writes at least two exponent digits, printf on Windows three.
  std::array<char, 40> buffer;
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 13);
  std::string text(buffer.data(), result.ptr);
  const std::size_t e = text.find('e');
  if (e != std::string::npos) {
    const std::size_t digits = e + 2;  // after "e" and the sign
    if (text.size() - digits < 3) text.insert(digits, 3 - (text.size() - digits), '0');
  }
  return text;
}

double DivideWhole(double dividend, double divisor) {
  if (divisor == 0) FatalError("程序内部错误：除数为零。");
  return std::trunc(dividend / divisor);
}

DateTime CurrentDateTime(Clock& clock) {
  // The clock gives valid fields; normalizing keeps a faulty reading from reaching the calendar.
  return JoinDateTime(NormalizeFields(clock.ReadLocalTime()));
}

std::int32_t UptimeMilliseconds(Clock& clock) { return clock.TickCount(); }

std::uint32_t ElapsedMilliseconds(std::int32_t earlier, std::int32_t later) {
  return static_cast<std::uint32_t>(later) - static_cast<std::uint32_t>(earlier);
}

bool SetCurrentDateTime(Clock& clock, DateTime value) {
  return clock.SetLocalTime(SplitDateTime(ClampDateTime(value)));
}

}  // namespace tessivo
