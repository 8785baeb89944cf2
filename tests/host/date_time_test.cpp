// DateTime: text forms, calendar arithmetic, rounding, the clock operations.
#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <ostream>
#include <limits>
#include <string>

#include "datetime/date_time.h"
#include "platform/fatal_error.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_message_box.h"
#include "tests/host/test_dates.h"

namespace tessivo {
namespace {

using testing::FakeClock;
using testing::Ole;

// ---------------------------------------------------------------------------------------------
// Text to DateTime

struct TextCase {
  const char* text;
  DateTime expected;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class TextToDateTimeTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextToDateTimeTest, Reads) {
  const TextCase& c = GetParam();
  EXPECT_DOUBLE_EQ(TextToDateTime(c.text), c.expected) << "text: " << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Readable, TextToDateTimeTest,
    ::testing::Values(
        TextCase{"2012-03-16 08:05:09", Ole(2012, 3, 16, 8, 5, 9)},
        TextCase{"2012-3-16", Ole(2012, 3, 16)},
        TextCase{"2012-03-6 07:30:00", Ole(2012, 3, 6, 7, 30)},
        TextCase{"2012/03/16 8:5", Ole(2012, 3, 16, 8, 5)},
        TextCase{"2012.03.16", Ole(2012, 3, 16)},
        TextCase{"20120316", Ole(2012, 3, 16)},
        TextCase{"20120316080509", Ole(2012, 3, 16, 8, 5, 9)},
        TextCase{"2012年3月16日8时5分9秒", Ole(2012, 3, 16, 8, 5, 9)},
        TextCase{"2012年3月16日8时5分9秒以后", Ole(2012, 3, 16, 8, 5, 9)},
        TextCase{"２０１２－０３－１６", Ole(2012, 3, 16)},                 // full-width
        TextCase{"２０１２年３月１６日８：０５", Ole(2012, 3, 16, 8, 5)},
        TextCase{"2012-03-16:08", Ole(2012, 3, 16, 8)},                     // ":" after the day too
        TextCase{"2012-02-29 23:59:59", Ole(2012, 2, 29, 23, 59, 59)},
        TextCase{"2000-02-29", Ole(2000, 2, 29)},                           // divisible by 400
        TextCase{"0100-01-01", MinDateTime},                                // reads as itself
        TextCase{"1899-12-29 06:00:00", -1.25},
        TextCase{"9999-12-31 23:59:59", Ole(9999, 12, 31, 23, 59, 59)}));

INSTANTIATE_TEST_SUITE_P(
    Unreadable, TextToDateTimeTest,
    ::testing::Values(
        TextCase{"2012-02-31 10:00:00", MinDateTime}, TextCase{"2011-02-29", MinDateTime},
        TextCase{"1900-02-29", MinDateTime},  // divisible by 100, not by 400
        TextCase{"2012-03-16 24:00:00", MinDateTime}, TextCase{"2012-03-16 23:60", MinDateTime},
        TextCase{"2012", MinDateTime}, TextCase{"2012-13-01", MinDateTime},
        TextCase{"+2012-03-16 07:30:00", MinDateTime}, TextCase{"0099-01-01", MinDateTime},
        TextCase{"2012年3月16日 10:30", MinDateTime}, TextCase{"2012-03-16T10:00:00", MinDateTime},
        TextCase{"2012-03-16 08:05:09.5", MinDateTime}, TextCase{" 2012-03-16", MinDateTime},
        TextCase{"2012-03-16 08:05:09 ", MinDateTime}, TextCase{"", MinDateTime},
        TextCase{"2012--03-16", MinDateTime},         // two separators in a row
        TextCase{"２０１２年３月１６日　８：０５", MinDateTime},  // 日 and a folded space
        TextCase{"\xC4", MinDateTime}));  // folding drops the cut character: nothing is left

TEST(TextToDateTime, NumbersEndAtTheirWidthNotAtASeparator) {
  // The year takes four digits at most: the fifth begins the month.
  EXPECT_DOUBLE_EQ(TextToDateTime("12345-01-01"), Ole(1234, 5, 1, 1));
}

TEST(TextToDateTime, CutCharacterAtTheEndIsDropped) {
  // Folding drops a lead byte with nothing after it, so the text ends where it was.
  EXPECT_DOUBLE_EQ(TextToDateTime("2012-03-16 08:05:09\xC4"), Ole(2012, 3, 16, 8, 5, 9));
  EXPECT_DOUBLE_EQ(TextToDateTime("2012-03-16\xC4"), Ole(2012, 3, 16));
}

// ---------------------------------------------------------------------------------------------
// DateTime to text

struct FormatCase {
  DateTime value;
  const char* text;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << std::setprecision(17) << c.value; }

class DateTimeToTextTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(DateTimeToTextTest, Formats) {
  EXPECT_EQ(DateTimeToText(GetParam().value), GetParam().text) << "value " << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Table, DateTimeToTextTest,
    ::testing::Values(FormatCase{Ole(2012, 3, 16, 8, 5, 9), "2012年3月16日8时5分9秒"},
                      FormatCase{Ole(2012, 3, 16, 8, 5, 0), "2012年3月16日8时5分"},
                      FormatCase{Ole(2012, 3, 16, 8, 0, 0), "2012年3月16日8时"},
                      FormatCase{Ole(2012, 3, 16), "2012年3月16日"},
                      FormatCase{Ole(2012, 3, 16, 0, 0, 9), "2012年3月16日0时0分9秒"},
                      FormatCase{Ole(2012, 3, 16, 0, 5, 0), "2012年3月16日0时5分"},
                      FormatCase{MinDateTime, "100年1月1日"},
                      FormatCase{2958466.0, "9999年12月31日"},
                      FormatCase{Ole(9999, 12, 31, 23, 59, 59), "9999年12月31日"},  // clamped
                      FormatCase{-1e9, "100年1月1日"},
                      FormatCase{std::numeric_limits<double>::quiet_NaN(), "9999年12月31日"},
                      FormatCase{0.0, "1899年12月30日"},
                      FormatCase{2.75, "1900年1月1日18时"},
                      FormatCase{-1.25, "1899年12月29日6时"},
                      // Rounding to the nearest second, across midnight too.
                      FormatCase{40984.999995, "2012年3月17日"},
                      FormatCase{40984.99999, "2012年3月16日23时59分59秒"},
                      FormatCase{40984.0 + 0.51 / 86400, "2012年3月16日0时0分1秒"},
                      FormatCase{40984.0 + 0.49 / 86400, "2012年3月16日"},
                      // Before 1899-12-30 the fraction still counts forward from midnight, and
                      // a time within half a second of midnight rounds into the next day.
                      FormatCase{-1.999995, "1899年12月30日"},
                      FormatCase{-0.999995, "1899年12月31日"},
                      FormatCase{-1.99999, "1899年12月29日23时59分59秒"}));

// ---------------------------------------------------------------------------------------------
// Splitting and joining

// The calendar walked one day at a time, with nothing shared with the code under test.
DateFields NextDay(DateFields f) {
  const bool leap = (f.year % 4 == 0 && f.year % 100 != 0) || f.year % 400 == 0;
  const int lengths[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  f.dayOfWeek = (f.dayOfWeek + 1) % 7;
  if (++f.day > lengths[f.month - 1]) {
    f.day = 1;
    if (++f.month > 12) {
      f.month = 1;
      ++f.year;
    }
  }
  return f;
}

TEST(SplitJoin, EveryDayOfTheRangeRoundTrips) {
  // 0100-01-01 was a Friday.
  DateFields expected{100, 1, 1, 0, 0, 0, 5};
  long long n = static_cast<long long>(MinDateTime);
  for (;; ++n, expected = NextDay(expected)) {
    const DateFields f = SplitDateTime(static_cast<double>(n));
    ASSERT_EQ(f, expected) << "day " << n;
    ASSERT_EQ(JoinDateTime(f), static_cast<double>(n)) << "day " << n;
    if (expected == DateFields{9999, 12, 31, 0, 0, 0, expected.dayOfWeek}) break;
  }
  EXPECT_EQ(n, static_cast<long long>(MaxDateTime));
  EXPECT_EQ(SplitDateTime(0.0), (DateFields{1899, 12, 30, 0, 0, 0, 6}));    // a Saturday
  EXPECT_EQ(SplitDateTime(40984.0), (DateFields{2012, 3, 16, 0, 0, 0, 5}));  // a Friday
}

TEST(SplitJoin, EverySecondOfADayRoundTrips) {
  for (const double day : {40984.0, -2.0, 0.0}) {
    for (int s = 0; s < 86400; ++s) {
      const DateFields f{day >= 0 ? 2012 : 1899, day >= 0 ? 3 : 12, day >= 0 ? 16 : 28, s / 3600, s / 60 % 60, s % 60, 0};
      const DateTime value = JoinDateTime(f);
      DateFields back = SplitDateTime(value);
      back.dayOfWeek = 0;
      ASSERT_EQ(back, f) << "second " << s << " of day " << day;
    }
  }
}

TEST(NormalizeFields, ClampsEachFieldThenTheDay) {
  EXPECT_EQ(NormalizeFields({12000, 13, 40, 30, 70, -5, 3}), (DateFields{9999, 12, 31, 23, 59, 0, 3}));
  EXPECT_EQ(NormalizeFields({50, 0, 0, -1, -1, 99, 0}), (DateFields{100, 1, 1, 0, 0, 59, 0}));
  EXPECT_EQ(NormalizeFields({2012, 2, 31, 1, 2, 3, 0}), (DateFields{2012, 2, 29, 1, 2, 3, 0}));
  EXPECT_EQ(NormalizeFields({2100, 2, 29, 0, 0, 0, 0}).day, 28);
  EXPECT_EQ(NormalizeFields({2012, 4, 31, 0, 0, 0, 0}).day, 30);
}

TEST(ClampDateTime, KeepsTheRange) {
  EXPECT_EQ(ClampDateTime(MaxDateTime + 0.5), MaxDateTime);
  EXPECT_EQ(ClampDateTime(std::numeric_limits<double>::quiet_NaN()), MaxDateTime);
  EXPECT_EQ(ClampDateTime(-std::numeric_limits<double>::infinity()), MinDateTime);
  EXPECT_EQ(ClampDateTime(MinDateTime - 1e-9), MinDateTime);
  EXPECT_EQ(ClampDateTime(-1.25), -1.25);
}

// ---------------------------------------------------------------------------------------------
// Calendar arithmetic

struct AddCase {
  DateTime value;
  int unit;
  std::int32_t count;
  DateTime expected;
};

void PrintTo(const AddCase& c, std::ostream* os) {
  *os << std::setprecision(17) << c.value << " unit " << c.unit << " count " << c.count;
}

class AddToDateTimeTest : public ::testing::TestWithParam<AddCase> {};

TEST_P(AddToDateTimeTest, Adds) {
  const AddCase& c = GetParam();
  const DateTime result = AddToDateTime(c.value, static_cast<TimeUnit>(c.unit), c.count);
  EXPECT_NEAR(result, c.expected, 1e-9) << DateTimeToText(result) << " unit " << c.unit << " count " << c.count;
}

INSTANTIATE_TEST_SUITE_P(
    Table, AddToDateTimeTest,
    ::testing::Values(
        AddCase{Ole(2012, 3, 16, 20), 6, 8, Ole(2012, 3, 17, 4)},
        AddCase{Ole(2012, 3, 16, 8, 5, 9), 8, -10, Ole(2012, 3, 16, 8, 4, 59)},
        AddCase{Ole(2012, 1, 31), 3, 1, Ole(2012, 2, 29)},
        AddCase{Ole(2011, 1, 31), 3, 1, Ole(2011, 2, 28)},
        AddCase{Ole(2012, 2, 29), 1, 1, Ole(2013, 2, 28)},
        AddCase{Ole(2012, 11, 30), 2, 1, Ole(2013, 2, 28)},
        AddCase{Ole(2012, 3, 16), 3, -15, Ole(2010, 12, 16)},
        AddCase{Ole(2012, 3, 16), 3, -3, Ole(2011, 12, 16)},
        AddCase{Ole(2012, 3, 16), 3, -2, Ole(2012, 1, 16)},
        AddCase{Ole(2012, 3, 16), 3, 21, Ole(2013, 12, 16)},
        AddCase{Ole(9999, 5, 1), 1, 1, Ole(9999, 5, 1)},
        AddCase{Ole(150, 5, 1), 1, -100, Ole(100, 5, 1)},
        AddCase{Ole(2012, 3, 16, 8, 5, 9), 0, 1, Ole(2013, 3, 16, 8, 5, 9)},  // unit 0 is Year
        AddCase{Ole(2012, 3, 16, 8, 5, 9), 9, 1, Ole(2012, 3, 16, 8, 5, 10)},  // unit 9 is Second
        AddCase{Ole(2012, 3, 16), 4, -2, Ole(2012, 3, 2)},
        AddCase{Ole(2012, 3, 16), 5, 366, Ole(2013, 3, 17)},
        AddCase{Ole(2012, 3, 16, 23, 59), 7, 2, Ole(2012, 3, 17, 0, 1)},
        AddCase{Ole(2012, 3, 16, 23, 59, 59), 8, 1, Ole(2012, 3, 17)},
        AddCase{-1.25, 6, 12, -1.75},                  // 1899-12-29 18:00
        AddCase{-1.25, 6, 42, 1.0},                    // across day 0
        AddCase{0.25, 6, -12, -1.75},
        AddCase{MaxDateTime, 5, 1, 2958466.0},         // not clamped afterwards
        AddCase{MaxDateTime + 3, 5, 1, 2958466.0},     // but clamped before
        AddCase{MaxDateTime + 3, 5, 0, MaxDateTime + 3},  // count 0: unchanged, unclamped
        // Counts at the edge of 32 bits: no overflow, the year stays within its range.
        AddCase{Ole(2012, 3, 16), 1, INT32_MIN, Ole(100, 3, 16)},
        AddCase{Ole(2012, 3, 16), 2, INT32_MAX, Ole(9999, 12, 16)},
        AddCase{Ole(2012, 3, 16), 3, INT32_MIN, Ole(100, 7, 16)},
        AddCase{Ole(2012, 3, 16), 8, INT32_MIN, Ole(2012, 3, 16) - 2147483648.0 / 86400}));

TEST(AddToDateTime, MonthUnitsKeepTheTimeOfDayToTheSecond) {
  const DateTime value = Ole(2012, 1, 31, 8, 5, 9) + 0.4 / 86400;
  EXPECT_DOUBLE_EQ(AddToDateTime(value, TimeUnit::Month, 1), Ole(2012, 2, 29, 8, 5, 9));
}

// ---------------------------------------------------------------------------------------------
// Numbers

TEST(RealToText, PrintfGeneralFormWithThreeDigitExponent) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {235.0, "235"}, {1234.0, "1234"}, {0.5, "0.5"}, {-12.25, "-12.25"},
      {1.0 / 3, "0.3333333333333"}, {1e13, "1e+013"}, {12345678901234.0, "1.234567890123e+013"},
      {0.00001, "1e-005"}, {0.0001, "0.0001"}, {9999999999999.0, "9999999999999"},
      {4294967295.0, "4294967295"}, {0.0, "0"}, {1e300, "1e+300"}, {-2.5e-300, "-2.5e-300"},
      {123.456, "123.456"},
  };
  for (const auto& c : cases) EXPECT_EQ(RealToText(c.value), c.text) << c.text;
}

TEST(DivideWhole, TruncatesTowardZero) {
  EXPECT_EQ(DivideWhole(2999, 1000), 2);
  EXPECT_EQ(DivideWhole(-2999, 1000), -2);
  EXPECT_EQ(DivideWhole(999, 1000), 0);
  EXPECT_EQ(DivideWhole(1000, 1000), 1);
  EXPECT_EQ(DivideWhole(4294967295.0, 1000), 4294967);
}

#if GTEST_HAS_DEATH_TEST
// exit(-1) is seen by the parent as the low byte 255 on POSIX systems, as -1 itself on Windows.
#ifdef _WIN32
constexpr int kExitCodeMinusOne = -1;
#else
constexpr int kExitCodeMinusOne = 255;
#endif

TEST(DivideWholeDeathTest, ByZeroShowsTheErrorBoxAndExitsWithMinusOne) {
  // The fake box writes what it would show, so the parent can see it on the child's stderr.
  class PrintingBox : public MessageBoxService {
   public:
    void ShowMessageBox(std::string_view text, std::uint32_t flags, std::string_view title) override {
      std::fprintf(stderr, "box flags=%u title=%.*s text=%.*s\n", flags, static_cast<int>(title.size()),
                   title.data(), static_cast<int>(text.size()), text.data());
    }
  };
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        PrintingBox box;
        SetFatalErrorMessageBox(&box);
        DivideWhole(1, 0);
      },
      ::testing::ExitedWithCode(kExitCodeMinusOne), "box flags=16 title=错误");
}
#endif

// ---------------------------------------------------------------------------------------------
// The clock

TEST(Clock, CurrentDateTimeJoinsTheLocalFields) {
  FakeClock clock;
  clock.now = {2012, 3, 16, 8, 5, 9, 5};
  EXPECT_DOUBLE_EQ(CurrentDateTime(clock), Ole(2012, 3, 16, 8, 5, 9));
}

TEST(Clock, SetCurrentDateTimeGoesToTheNearestSecond) {
  FakeClock clock;
  EXPECT_TRUE(SetCurrentDateTime(clock, Ole(2012, 3, 16, 8, 5, 9) + 0.6 / 86400));
  ASSERT_EQ(clock.setRequests.size(), 1u);
  EXPECT_EQ(clock.setRequests[0], (DateFields{2012, 3, 16, 8, 5, 10, 5}));

  // Out of range values are clamped before they reach the clock.
  EXPECT_TRUE(SetCurrentDateTime(clock, 1e9));
  EXPECT_EQ(clock.setRequests[1], (DateFields{9999, 12, 31, 0, 0, 0, 5}));

  clock.acceptSet = false;
  EXPECT_FALSE(SetCurrentDateTime(clock, MinDateTime));
  EXPECT_EQ(clock.setRequests[2], (DateFields{100, 1, 1, 0, 0, 0, 5}));
}

TEST(Clock, ElapsedMillisecondsAcrossTheWrap) {
  EXPECT_EQ(ElapsedMilliseconds(1000, 1235), 235u);
  EXPECT_EQ(ElapsedMilliseconds(INT32_MAX - 100, INT32_MIN + 134), 235u);
  EXPECT_EQ(ElapsedMilliseconds(-10, 225), 235u);  // 0xFFFFFFF6 to 225 as unsigned counts
  EXPECT_EQ(ElapsedMilliseconds(5, 5), 0u);
  EXPECT_EQ(ElapsedMilliseconds(1, 0), 4294967295u);
}

TEST(FoldFullWidth, FoldsOnlyTheListedCharacters) {
  EXPECT_EQ(FoldFullWidth("２０１２－０３－１６"), "2012-03-16");
  EXPECT_EQ(FoldFullWidth("　＋～＊"), " +~*");
  EXPECT_EQ(FoldFullWidth("\xA1\xAB\xA1\xEE\xA1\xEF"), "~**");
  EXPECT_EQ(FoldFullWidth("\xA3\xA0\xA3\xFE"), "\xA3\xA0~");  // A3A0 is outside A1-FE
  EXPECT_EQ(FoldFullWidth("年 ａ\x81\x5C"), "年 a\x81\x5C");   // other characters unchanged
  EXPECT_EQ(FoldFullWidth("12\xA3"), "12");                    // a cut lead byte is dropped
  EXPECT_EQ(FoldFullWidth(""), "");
}

}  // namespace
}  // namespace tessivo
