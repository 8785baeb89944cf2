// The sync button of the running program, over the recording toolkit and fake services: the
// result window it opens over MainWindow, the order of the steps, the time taken, and what the
// window shows whatever the time source does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "settings/preferences.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_window_system.h"
#include "ui/window_model.h"
#include "ui/windows/main_window.h"
#include "ui/windows/program_windows.h"
#include "ui/windows/sync_result_window.h"

namespace tessivo {
namespace {

using testing::FakePlatform;
using testing::FakeWindowSystem;

// The toolkit names windows by their captions.
constexpr const char* kMain = "Tessivo时间同步器";
constexpr const char* kResult = "同步成功";

constexpr const char* kGoodHeader = "Fri, 16 Mar 2012 07:30:00 GMT";
constexpr const char* kBeforeText = "2012年3月16日8时5分9秒";

// The program with MainWindow open and the recommendation turned off, as a user finds it
// before pressing the sync button.
class SyncButton : public ::testing::Test {
 protected:
  FakeWindowSystem toolkit;
  FakePlatform fake;
  ui::WindowModel model{toolkit};

  void SetUp() override {
    toolkit.screen = {1280, 768};
    fake.profiles.Set(settings::kPreferenceFile, settings::kPreferenceSection, settings::kPreferenceKey,
                      settings::kRecommendationHidden);
    fake.clock.now = {2012, 3, 16, 8, 5, 9, 5};
    ui::RegisterProgramWindows(model, fake.platform);
    ASSERT_TRUE(model.LoadStartWindow(ui::kMainWindow));
    ASSERT_EQ(toolkit.Window(kResult), 0u);
    toolkit.journal.clear();
    fake.http.journal.clear();
  }

  void Press() { toolkit.RaiseClick(toolkit.Control(kMain, ui::kSyncButton)); }

  std::string Label(std::string_view unit) const { return toolkit.Text(toolkit.Control(kResult, unit)); }

  std::size_t Count(std::string_view line) const {
    return static_cast<std::size_t>(std::count(toolkit.journal.begin(), toolkit.journal.end(), line));
  }
};

TEST_F(SyncButton, OpensTheResultWindowOverMainWindowThenReportsTheRunStepByStep) {
  // One journal for the window calls and the clock, with the exchange marked in it.
  fake.clock.journal = &toolkit.journal;
  fake.http.duringSend = [this] { toolkit.Note("exchange"); };
  fake.http.dateHeader = kGoodHeader;
  fake.clock.ticks = {1000, 1010, 1200, 1235};  // reading one, the exchange's two, reading two

  Press();

  std::vector<std::string> steps;
  std::copy_if(toolkit.journal.begin(), toolkit.journal.end(), std::back_inserter(steps), [](const std::string& line) {
    return line.rfind("create control", 0) != 0 && line.rfind("raise click", 0) != 0;
  });
  const std::vector<std::string> expected{
      "tick",  // reading one, before anything else
      // Owned by MainWindow; centred: (1280 - 298) / 2 and (768 - 143) / 2 in whole pixels.
      "create window 同步成功 owner=Tessivo时间同步器 hidden at 491,312 298x143",
      "show 同步成功",
      "read clock",
      "set text 标签4 = 2012年3月16日8时5分9秒",
      "tick",  // the exchange: its start reading, the request, the parser's current time,
      "exchange",
      "read clock",
      "tick",  // its finish reading
      "set clock",
      "read clock",
      "set text 标签5 = 2012年3月16日15时30分",  // already the corrected clock
      "tick",                                    // reading two
      "set text 标签7 = 235 ms",
  };
  EXPECT_EQ(steps, expected);
  EXPECT_EQ(fake.http.liveObjects, 0);
  EXPECT_TRUE(toolkit.IsVisible(toolkit.Window(kResult)));
  EXPECT_TRUE(toolkit.IsVisible(toolkit.Window(kMain)));
  EXPECT_TRUE(fake.messageBox.shown.empty());
}

// The time taken is reading two minus reading one on the 32-bit counter, modulo 2^32.
struct TakenCase {
  const char* what;
  std::int32_t one;
  std::int32_t two;
  const char* expected;
  friend void PrintTo(const TakenCase& c, std::ostream* os) { *os << c.what; }
};

class TimeTaken : public SyncButton, public ::testing::WithParamInterface<TakenCase> {};

TEST_P(TimeTaken, IsTheTrueIntervalInWholeMilliseconds) {
  const TakenCase& c = GetParam();
  fake.http.createFails = true;  // no reading of the exchange's own between ours
  fake.clock.ticks = {c.one, c.two};
  Press();
  EXPECT_EQ(Label(ui::kTimeTakenLabel), c.expected);
  EXPECT_EQ(fake.clock.tickReadings, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TimeTaken,
    ::testing::Values(TakenCase{"plain", 1000, 1235, "235 ms"},
                      TakenCase{"none", 7, 7, "0 ms"},
                      TakenCase{"signed wrap", INT32_MAX - 99, INT32_MIN + 135, "235 ms"},
                      TakenCase{"unsigned wrap", -100, 135, "235 ms"},
                      TakenCase{"the longest", 1, 0, "4294967295 ms"}),
    [](const ::testing::TestParamInfo<TakenCase>& info) {
      std::string name = info.param.what;
      std::replace(name.begin(), name.end(), ' ', '_');
      return name;
    });

TEST_F(SyncButton, TimeTakenIncludesTheRefusalMessageWhileItIsOpen) {
  fake.http.dateHeader = kGoodHeader;
  fake.clock.acceptSet = false;
  fake.clock.ticks = {1000, 1005, 1010};
  fake.messageBox.whileShown = [this] { fake.clock.ticks.push_back(4010); };  // three seconds to dismiss it

  Press();

  ASSERT_EQ(fake.messageBox.shown.size(), 1u);
  EXPECT_EQ(fake.clock.setRequests.size(), 1u);
  EXPECT_EQ(Label(ui::kTimeBeforeLabel), kBeforeText);
  EXPECT_EQ(Label(ui::kTimeAfterLabel), kBeforeText);  // the clock as it was
  EXPECT_EQ(Label(ui::kTimeTakenLabel), "3010 ms");
}

// Whatever the exchange meets short of a refused clock, the window opens with its usual title,
// the clock is left alone without a word, and both times show the unchanged clock.
struct FailureCase {
  const char* what;
  std::function<void(FakePlatform&)> arrange;
  const char* taken;
  friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.what; }
};

class FailedExchange : public SyncButton, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailedExchange, StillFillsTheWindowAndLeavesTheClock) {
  const FailureCase& c = GetParam();
  fake.clock.ticks = {1000, 1002};
  // Time passes inside a send that is reached, as it does while a connection times out.
  fake.http.duringSend = [this] { fake.clock.ticks.push_back(6000); };
  c.arrange(fake);

  Press();

  const UiHandle window = toolkit.Window(kResult);
  ASSERT_NE(window, 0u);
  EXPECT_TRUE(toolkit.IsVisible(window));
  EXPECT_EQ(toolkit.Text(window), kResult);
  EXPECT_EQ(Label(ui::kTimeBeforeLabel), kBeforeText);
  EXPECT_EQ(Label(ui::kTimeAfterLabel), kBeforeText);
  EXPECT_EQ(Label(ui::kTimeTakenLabel), c.taken);
  EXPECT_TRUE(fake.clock.setRequests.empty());
  EXPECT_TRUE(fake.messageBox.shown.empty());
  EXPECT_EQ(fake.http.liveObjects, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FailedExchange,
    ::testing::Values(
        FailureCase{"no_request_object", [](FakePlatform& f) { f.http.createFails = true; }, "2 ms"},
        FailureCase{"no_network",
                    [](FakePlatform& f) {
                      f.http.sendResult = false;
                      f.http.dateHeader = kGoodHeader;
                    },
                    "5000 ms"},
        FailureCase{"no_date_header", [](FakePlatform& f) { f.http.dateHeader.clear(); }, "5000 ms"},
        FailureCase{"rejected_header", [](FakePlatform& f) { f.http.dateHeader = "Fri, 16 Mar 2012 07:30:00 UTC"; },
                    "5000 ms"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.what); });

TEST_F(SyncButton, ASecondPressReusesTheOpenWindowAndOverwritesItsLabels) {
  fake.http.createFails = true;
  fake.clock.ticks = {1000, 1100, 5000, 5035};
  Press();
  const UiHandle window = toolkit.Window(kResult);
  ASSERT_NE(window, 0u);
  EXPECT_EQ(Label(ui::kTimeTakenLabel), "100 ms");

  fake.clock.now = {2012, 3, 16, 9, 0, 0, 5};
  Press();

  EXPECT_EQ(toolkit.Window(kResult), window);
  EXPECT_EQ(model.WindowHandle(ui::kSyncResultWindow), window);
  EXPECT_EQ(Count("create control 标签4 in 分组框1"), 1u);
  EXPECT_EQ(Count("activate 同步成功"), 1u);  // brought forward
  EXPECT_EQ(Label(ui::kTimeBeforeLabel), "2012年3月16日9时");
  EXPECT_EQ(Label(ui::kTimeAfterLabel), "2012年3月16日9时");
  EXPECT_EQ(Label(ui::kTimeTakenLabel), "35 ms");
}

TEST_F(SyncButton, AfterTheWindowIsClosedThePressBuildsItAnewFromItsLayout) {
  // What the three labels hold at the moment each is made.
  std::vector<std::string> atCreation;
  toolkit.afterCreateControl = [&](UiHandle control) {
    const auto& unit = toolkit.Get(control);
    if (toolkit.Get(unit.window).name != kResult) return;
    if (unit.name == ui::kTimeBeforeLabel || unit.name == ui::kTimeAfterLabel || unit.name == ui::kTimeTakenLabel) {
      atCreation.push_back(unit.name + "=" + unit.text);
    }
  };
  fake.http.createFails = true;
  fake.clock.ticks = {1000, 1100, 5000, 5035};
  Press();
  const UiHandle first = toolkit.Window(kResult);
  ASSERT_NE(first, 0u);
  toolkit.RaiseClose(first);
  EXPECT_FALSE(model.IsLoaded(ui::kSyncResultWindow));
  EXPECT_TRUE(model.IsLoaded(ui::kMainWindow));  // closing the report leaves the program running

  fake.clock.now = {2012, 3, 16, 9, 0, 0, 5};
  Press();

  const UiHandle second = toolkit.Window(kResult);
  EXPECT_NE(second, first);
  EXPECT_TRUE(toolkit.IsVisible(second));
  const std::vector<std::string> empty{"标签7=", "标签5=", "标签4="};  // in creation order
  std::vector<std::string> expected = empty;
  expected.insert(expected.end(), empty.begin(), empty.end());
  EXPECT_EQ(atCreation, expected);
  EXPECT_EQ(Label(ui::kTimeBeforeLabel), "2012年3月16日9时");
  EXPECT_EQ(Label(ui::kTimeTakenLabel), "35 ms");
}

TEST_F(SyncButton, ClosingMainWindowTakesTheResultWindowAlongAndEndsTheProgram) {
  fake.http.createFails = true;
  Press();
  const UiHandle result = toolkit.Window(kResult);
  ASSERT_NE(result, 0u);
  toolkit.PostClose(toolkit.Window(kMain));
  EXPECT_EQ(model.RunMainLoop(), 0);
  EXPECT_FALSE(toolkit.Get(result).alive);
  EXPECT_FALSE(model.IsLoaded(ui::kSyncResultWindow));
}

}  // namespace
}  // namespace tessivo
