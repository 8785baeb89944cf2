// SetClockFromServer with a fake request object and a fake clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sync/clock_correction.h"
#include "tests/fakes/fake_platform.h"

namespace tessivo {
namespace {

using testing::FakePlatform;

constexpr const char* kRefusal = "时间修改失败，请检查你是否有足够的权限修改本机时间！";

// Sets up a reply with the given Date header and tick readings: `start` at the start reading,
// `finish` at the finish reading.
void Script(FakePlatform& fake, std::string header, std::int32_t start, std::int32_t finish) {
  fake.http.dateHeader = std::move(header);
  fake.clock.ticks = {start, finish};
}

struct DelayCase {
  const char* header;
  std::int32_t start;
  std::int32_t finish;
  DateFields expected;
};

class DelayTest : public ::testing::TestWithParam<DelayCase> {};

TEST_P(DelayTest, AddsEightHoursThenTheWholeSecondsOfTheDelay) {
  const DelayCase& c = GetParam();
  FakePlatform fake;
  Script(fake, c.header, c.start, c.finish);
  EXPECT_TRUE(SetClockFromServer("http://time.example", fake.platform));
  ASSERT_EQ(fake.clock.setRequests.size(), 1u);
  EXPECT_EQ(fake.clock.setRequests[0], c.expected);
  EXPECT_TRUE(fake.messageBox.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, DelayTest,
    ::testing::Values(
        DelayCase{"Fri, 16 Mar 2012 07:30:00 GMT", 1000, 1350, {2012, 3, 16, 15, 30, 0, 5}},
        DelayCase{"Fri, 16 Mar 2012 07:30:00 GMT", 1000, 3600, {2012, 3, 16, 15, 30, 2, 5}},
        DelayCase{"Fri, 16 Mar 2012 07:30:00 GMT", 1000, 1999, {2012, 3, 16, 15, 30, 0, 5}},
        DelayCase{"Fri, 16 Mar 2012 07:30:00 GMT", 1000, 2000, {2012, 3, 16, 15, 30, 1, 5}},
        // The hours first: 23:59:59 + 8 h is 07:59:59 the next day, + 1 s is 08:00:00.
        DelayCase{"Fri, 16 Mar 2012 23:59:59 GMT", 0, 1500, {2012, 3, 17, 8, 0, 0, 6}},
        // New Year's Eve in Greenwich is already New Year's Day in China.
        DelayCase{"Sat, 31 Dec 2039 20:00:00 GMT", 0, 0, {2040, 1, 1, 4, 0, 0, 0}},
        // The 32-bit counter wraps between the readings: signed and unsigned wrap.
        DelayCase{"Fri, 16 Mar 2012 07:30:00 GMT", INT32_MAX - 100, INT32_MIN + 1899, {2012, 3, 16, 15, 30, 2, 5}},
        DelayCase{"Fri, 16 Mar 2012 07:30:00 GMT", -10, 1490, {2012, 3, 16, 15, 30, 1, 5}},
        // A long wait (send's time-outs add up to 25 s) still counts.
        DelayCase{"Fri, 16 Mar 2012 07:30:00 GMT", 5000, 30999, {2012, 3, 16, 15, 30, 25, 5}}));

TEST(SetClockFromServer, CallsInOrderAndReleasesTheObject) {
  FakePlatform fake;
  Script(fake, "Fri, 16 Mar 2012 07:30:00 GMT", 100, 200);
  EXPECT_TRUE(SetClockFromServer("http://time.example", fake.platform));
  const std::vector<std::string> expected{
      "create",
      "SetTimeouts 5000 5000 10000 5000",
      "Option 6 = 0",
      "open HEAD http://time.example/123.123 sync",
      "tick",  // the start reading, after open and just before send
      "send",
      "GetResponseHeader Date",
      "read clock",  // the parser's current time, before its checks
      "tick",        // the finish reading, after the parse
      "set clock",
      "release",
  };
  EXPECT_EQ(fake.http.journal, expected);
  EXPECT_EQ(fake.http.liveObjects, 0);
}

TEST(SetClockFromServer, RefusedClockShowsTheMessageOnceAndStillSucceeds) {
  FakePlatform fake;
  Script(fake, "Fri, 16 Mar 2012 07:30:00 GMT", 0, 350);
  fake.clock.acceptSet = false;
  fake.messageBox.whileShown = [&] {
    // The object is still alive while the box is up; it is released after.
    EXPECT_EQ(fake.http.liveObjects, 1);
  };
  EXPECT_TRUE(SetClockFromServer("http://time.example", fake.platform));
  ASSERT_EQ(fake.messageBox.shown.size(), 1u);
  EXPECT_EQ(fake.messageBox.shown[0].text, kRefusal);
  EXPECT_EQ(fake.messageBox.shown[0].flags, 16u);
  EXPECT_EQ(fake.messageBox.shown[0].title, "错误");
  EXPECT_EQ(fake.clock.now, (DateFields{2012, 3, 16, 8, 5, 9, 5}));  // untouched
  EXPECT_EQ(fake.http.liveObjects, 0);
}

TEST(SetClockFromServer, UnreadableDateInAnAcceptedHeaderIsRefusedByTheClock) {
  // 31 Feb passes the header's checks but is no date: the time becomes 0100-01-01 00:00:00.
  // Eight hours later is a value below the range (the fraction counts forward from midnight on
  // negative days), which is clamped back to 0100-01-01 00:00:00 when the clock is set;
  // Windows refuses it like any time before 1601.
  FakePlatform fake;
  Script(fake, "Wed, 31 Feb 2012 07:30:00 GMT", 0, 10);
  fake.clock.acceptSet = false;
  EXPECT_TRUE(SetClockFromServer("http://time.example", fake.platform));
  ASSERT_EQ(fake.clock.setRequests.size(), 1u);
  EXPECT_EQ(fake.clock.setRequests[0], (DateFields{100, 1, 1, 0, 0, 0, 5}));
  ASSERT_EQ(fake.messageBox.shown.size(), 1u);
  EXPECT_EQ(fake.messageBox.shown[0].text, kRefusal);
}

TEST(SetClockFromServer, FailedSettingsDoNotStopTheExchange) {
  FakePlatform fake;
  Script(fake, "Fri, 16 Mar 2012 07:30:00 GMT", 0, 10);
  fake.http.setTimeoutsResult = false;
  fake.http.putOptionResult = false;
  EXPECT_TRUE(SetClockFromServer("http://time.example", fake.platform));
  EXPECT_EQ(fake.clock.setRequests.size(), 1u);
}

struct FailureCase {
  const char* name;
  void (*arrange)(FakePlatform&);
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class FailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailureTest, LeavesTheClockAloneSilently) {
  FakePlatform fake;
  Script(fake, "Fri, 16 Mar 2012 07:30:00 GMT", 0, 10);
  GetParam().arrange(fake);
  EXPECT_FALSE(SetClockFromServer("http://time.example", fake.platform));
  EXPECT_TRUE(fake.clock.setRequests.empty());
  EXPECT_TRUE(fake.messageBox.shown.empty());
  EXPECT_EQ(fake.http.liveObjects, 0);
  if (!fake.http.createFails) {
    EXPECT_EQ(fake.http.journal.back(), "release");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FailureTest,
    ::testing::Values(
        FailureCase{"no request object", [](FakePlatform& f) { f.http.createFails = true; }},
        FailureCase{"open fails", [](FakePlatform& f) {
                      f.http.openResult = false;
                      f.http.sendResult = false;  // a request that was never opened has no reply
                    }},
        FailureCase{"send fails", [](FakePlatform& f) { f.http.sendResult = false; }},
        FailureCase{"no Date header", [](FakePlatform& f) { f.http.dateHeader.clear(); }},
        FailureCase{"rejected header", [](FakePlatform& f) { f.http.dateHeader = "Fri, 16 Mar 2012 07:30:00 UTC"; }},
        FailureCase{"year out of range", [](FakePlatform& f) { f.http.dateHeader = "Fri, 16 Mar 2008 07:30:00 GMT"; }}),
    [](const ::testing::TestParamInfo<FailureCase>& info) {
      std::string name = info.param.name;
      for (char& c : name) {
        if (c == ' ') c = '_';
      }
      return name;
    });

}  // namespace
}  // namespace tessivo
