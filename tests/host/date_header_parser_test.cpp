// Reading the Date header: the parser's checks, the rebuilt date text, SplitText, TextToInteger.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "sync/date_header_parser.h"
#include "tests/fakes/fake_clock.h"
#include "tests/host/test_dates.h"

namespace tessivo {
namespace {

using testing::FakeClock;
using testing::Ole;

struct HeaderCase {
  const char* header;
  bool accepted;
  DateTime time;  // for an accepted header; a rejected one leaves the current time
};

void PrintTo(const HeaderCase& c, std::ostream* os) { *os << '"' << c.header << '"'; }

class DateHeaderParserTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(DateHeaderParserTest, ChecksAndReads) {
  const HeaderCase& c = GetParam();
  FakeClock clock;
  clock.now = {2026, 12, 11, 13, 0, 0, 5};
  DateTime time = 12345.0;
  EXPECT_EQ(DateHeaderParser(clock, c.header, time), c.accepted);
  EXPECT_DOUBLE_EQ(time, c.accepted ? c.time : Ole(2026, 12, 11, 13));
}

const DateTime k0730 = Ole(2012, 3, 16, 7, 30);

INSTANTIATE_TEST_SUITE_P(
    Accepted, DateHeaderParserTest,
    ::testing::Values(
        HeaderCase{"Fri, 16 Mar 2012 07:30:00 GMT", true, k0730},
        HeaderCase{"Xyz, 16 Mar 2012 07:30:00 GMT", true, k0730},     // weekday never read
        HeaderCase{"Fri, 16 Mar 2012 07:30:00 GMT ", true, k0730},    // one space after GMT
        HeaderCase{"Fri, 6 Mar 2012 07:30:00 GMT", true, Ole(2012, 3, 6, 7, 30)},
        HeaderCase{"Fri, 06 Mar 2012 07:30:00 GMT", true, Ole(2012, 3, 6, 7, 30)},
        HeaderCase{"Sat, 31 Dec 2039 23:59:59 GMT", true, Ole(2039, 12, 31, 23, 59, 59)},
        HeaderCase{"Thu, 01 Jan 2009 00:00:00 GMT", true, Ole(2009, 1, 1)},
        HeaderCase{"Thu, 01 Jan 5000 00:00:00 GMT", true, Ole(5000, 1, 1)},
        HeaderCase{"Fri, 16 Mar 2012 7:30 GMT", true, k0730},          // any form TextToDateTime reads
        HeaderCase{"Fri, ２ Mar 2012 07:30:00 GMT", true, Ole(2012, 3, 2, 7, 30)},  // full-width day
        HeaderCase{"Wed, 31 Feb 2012 07:30:00 GMT", true, MinDateTime},  // not a real date
        HeaderCase{"Fri, 16 Mar 2012 25:00:00 GMT", true, MinDateTime},
        HeaderCase{"Fri, 16 Mar 2012 junk GMT", true, MinDateTime},      // member 5 unchecked
        HeaderCase{"Fri, 16 Mar 02012 07:30:00 GMT", true, MinDateTime}, // 0201-2-... is unreadable
        HeaderCase{"Fri, 16 Dec 2012 07:30:00 GMT", true, Ole(2012, 12, 16, 7, 30)},
        // 2^32 + 2009 wraps to 2009 and passes the check; the text itself cannot be read.
        HeaderCase{"Fri, 16 Mar 4294969305 07:30:00 GMT", true, MinDateTime}));

INSTANTIATE_TEST_SUITE_P(
    Rejected, DateHeaderParserTest,
    ::testing::Values(
        HeaderCase{"", false, 0}, HeaderCase{"Fri,  16 Mar 2012 07:30:00 GMT", false, 0},
        HeaderCase{" Fri, 16 Mar 2012 07:30:00 GMT", false, 0},
        HeaderCase{"Fri, 16 Mar 2012 07:30:00 GMT  ", false, 0},
        HeaderCase{"Fri, 16 Mar 2012 07:30:00 gmt", false, 0},
        HeaderCase{"Fri, 16 Mar 2012 07:30:00 UTC", false, 0},
        HeaderCase{"Fri, 16 Mar 2012 07:30:00 +0000", false, 0},
        HeaderCase{"Fri, 16 Mar 2012 07:30:00", false, 0},
        HeaderCase{"Fri, 16 Mar 2008 07:30:00 GMT", false, 0},
        HeaderCase{"Fri, 16 Mar 5001 07:30:00 GMT", false, 0},
        HeaderCase{"Fri, 16 MAR 2012 07:30:00 GMT", false, 0},
        HeaderCase{"Fri, 16 mar 2012 07:30:00 GMT", false, 0},
        HeaderCase{"Fri, 16 March 2012 07:30:00 GMT", false, 0},
        HeaderCase{"Fri, 0 Mar 2012 07:30:00 GMT", false, 0},
        HeaderCase{"Fri, 00 Mar 2012 07:30:00 GMT", false, 0},
        HeaderCase{"Fri, 32 Mar 2012 07:30:00 GMT", false, 0},
        HeaderCase{"Friday, 16-Mar-12 07:30:00 GMT", false, 0},
        HeaderCase{"Fri Mar 16 07:30:00 2012", false, 0},
        HeaderCase{"Fri Mar  6 07:30:00 2012", false, 0},
        HeaderCase{"Fri,\t16 Mar 2012 07:30:00 GMT", false, 0},
        HeaderCase{"Fri, 16 Mar 2012 07:30:00 GMT\xC4", false, 0}));

TEST(DateHeaderParser, HandsTheMembersOnAsReceived) {
  // The day keeps its one digit and the year its text: "2012-03-6 07:30:00" reads as the 6th.
  FakeClock clock;
  DateTime time = 0;
  ASSERT_TRUE(DateHeaderParser(clock, "Fri, 6 Mar 2012 07:30:00 GMT", time));
  EXPECT_DOUBLE_EQ(time, TextToDateTime("2012-03-6 07:30:00"));
  // A year that TextToInteger reads as 2012 but whose text carries more: rebuilt as
  // "2012abc-03-16 ...", which cannot be read.
  ASSERT_TRUE(DateHeaderParser(clock, "Fri, 16 Mar 2012abc 07:30:00 GMT", time));
  EXPECT_EQ(time, MinDateTime);
}

TEST(SplitText, Members) {
  using Members = std::vector<std::string_view>;
  EXPECT_EQ(SplitText("a b", " "), (Members{"a", "b"}));
  EXPECT_EQ(SplitText("a  b", " "), (Members{"a", "", "b"}));
  EXPECT_EQ(SplitText(" a", " "), (Members{"", "a"}));
  EXPECT_EQ(SplitText("a ", " "), (Members{"a"}));
  EXPECT_EQ(SplitText("a  ", " "), (Members{"a", ""}));
  EXPECT_EQ(SplitText(" ", " "), (Members{""}));
  EXPECT_EQ(SplitText("", " "), (Members{}));
  EXPECT_EQ(SplitText("a b", ""), (Members{"a b"}));
  EXPECT_EQ(SplitText("a, b, c", ", "), (Members{"a", "b", "c"}));
  EXPECT_EQ(SplitText("abab", "ab"), (Members{"", ""}));
  // A delimiter is never found inside a double-byte character: 81 5C holds a backslash.
  EXPECT_EQ(SplitText("x\x81\x5Cy\\z", "\\"), (Members{"x\x81\x5Cy", "z"}));
  // A cut lead byte ends the scan; the rest is the last member.
  EXPECT_EQ(SplitText("a b\xC4", " "), (Members{"a", "b\xC4"}));
  // Double-byte delimiters.
  EXPECT_EQ(SplitText("年a年年b", "年"), (Members{"", "a", "", "b"}));
}

TEST(TextToInteger, Reads) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"16", 16}, {"06", 6}, {"09", 9}, {"-5", -5}, {"+7", 7}, {"2012abc", 2012}, {"abc", 0}, {"", 0},
      {"２０１２", 2012}, {"－１２", -12}, {"　 \t\n\v\f\r42", 42}, {"- 5", 0}, {"--5", 0},
      {"2147483647", 2147483647}, {"2147483648", INT32_MIN}, {"-2147483648", INT32_MIN},
      {"4294967296", 0}, {"4294969305", 2009}, {"99999999999999999999", 1661992959},
      {"12\xC4", 12}, {"1 2", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToInteger(c.text), c.value) << '"' << c.text << '"';
}

}  // namespace
}  // namespace tessivo
