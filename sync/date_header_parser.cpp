// DateHeaderParser, SplitText and TextToInteger.
#include "sync/date_header_parser.h"

#include <array>
#include <string>

#include "datetime/date_time.h"
#include "text/cp936.h"

namespace tessivo {
namespace {

struct MonthName {
  std::string_view name;
  std::string_view text;  // what the month puts into the rebuilt date text
};

constexpr std::array<MonthName, 12> kMonths{{
    {"Jan", "01-"}, {"Feb", "02-"}, {"Mar", "03-"}, {"Apr", "04-"},
    {"May", "05-"}, {"Jun", "06-"}, {"Jul", "07-"}, {"Aug", "08-"},
    {"Sep", "09-"}, {"Oct", "10-"}, {"Nov", "11-"}, {"Dec", "12-"},
}};

constexpr int kMinYear = 2009;
constexpr int kMaxYear = 5000;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

std::vector<std::string_view> SplitText(std::string_view text, std::string_view delimiter) {
  std::vector<std::string_view> members;
  if (text.empty()) return members;
  if (delimiter.empty()) return {text};

  std::size_t start = 0;
  for (std::size_t found; (found = text::Find(text, delimiter, start)) != std::string_view::npos;) {
    members.push_back(text.substr(start, found - start));
    start = found + delimiter.size();
  }
  if (start < text.size()) members.push_back(text.substr(start));
  return members;
}

std::int32_t TextToInteger(std::string_view text) {
  const std::string folded = FoldFullWidth(text);
  std::size_t i = 0;
  while (i < folded.size() && IsSpace(folded[i])) ++i;
  bool negative = false;
  if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) {
    negative = folded[i] == '-';
    ++i;
  }
  // Unsigned arithmetic wraps modulo 2^32 by definition, which is the two's-complement wrap
  // of a 32-bit signed value without its undefined overflow.
  std::uint32_t value = 0;
  for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
    value = value * 10u + static_cast<std::uint32_t>(folded[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

bool DateHeaderParser(Clock& clock, std::string_view header, DateTime& time) {
  const std::vector<std::string_view> members = SplitText(header, " ");
  time = CurrentDateTime(clock);

  if (members.size() != 6) return false;
  const std::string_view day = members[1];
  const std::string_view monthName = members[2];
  const std::string_view year = members[3];
  const std::string_view timeOfDay = members[4];
  if (members[5] != "GMT") return false;

  const std::int32_t yearNumber = TextToInteger(year);
  if (yearNumber < kMinYear || yearNumber > kMaxYear) return false;

  std::string_view monthText;
  for (const MonthName& month : kMonths) {
    if (monthName == month.name) {
      monthText = month.text;
      break;
    }
  }
  if (monthText.empty()) return false;

  const std::int32_t dayNumber = TextToInteger(day);
  if (dayNumber < 1 || dayNumber > 31) return false;

  // The members as they came: a one-digit day stays one digit, a leading zero stays.
  std::string rebuilt;
  rebuilt.reserve(year.size() + 1 + monthText.size() + day.size() + 1 + timeOfDay.size());
  rebuilt.append(year).append("-").append(monthText).append(day).append(" ").append(timeOfDay);
  time = TextToDateTime(rebuilt);
  return true;
}

}  // namespace tessivo
