// The program's start window, started the way the program starts, over the recording toolkit
// and a fake clock: where it opens, the clock label filled before the first show and on every
// tick, and the exit code when it is closed.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/process.h"
#include "settings/preferences.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_window_system.h"
#include "ui/startup.h"
#include "ui/window_model.h"
#include "ui/windows/main_window.h"
#include "ui/windows/program_windows.h"

namespace tessivo::ui {
namespace {

using testing::FakePlatform;
using testing::FakeWindowSystem;

class QuietProcess : public ProcessServices {
 public:
  bool InitializeObjectModel() override { return true; }
  void UninitializeObjectModel() override {}
  void EnterProgramFolder() override {}
};

constexpr const char* kCaption = "Tessivo时间同步器";

// These tests look at MainWindow alone: the stored preference keeps the recommendation away.
void HideRecommendation(FakePlatform& fake) {
  fake.profiles.Set(settings::kPreferenceFile, settings::kPreferenceSection, settings::kPreferenceKey, "1");
}

TEST(MainWindow, StartsCentredWithTheClockFilledBeforeItIsShown) {
  FakeWindowSystem toolkit;
  toolkit.screen = {1024, 768};
  FakePlatform fake;
  fake.clock.now = {2012, 3, 16, 8, 5, 9, 5};
  HideRecommendation(fake);
  QuietProcess process;
  WindowModel model(toolkit);
  RegisterProgramWindows(model, fake.platform);

  std::vector<std::string> clockAtTicks;
  toolkit.WhenIdle([&] {
    const UiHandle window = toolkit.Window(kCaption);
    const UiHandle clock = toolkit.Control(kCaption, "标签8");
    clockAtTicks.push_back(toolkit.Text(clock));
    fake.clock.now = {2012, 3, 16, 9, 0, 0, 5};  // a whole hour: only the hour is shown
    toolkit.RaiseTick(window, 1);
    clockAtTicks.push_back(toolkit.Text(clock));
    toolkit.PostClose(window);
  });
  EXPECT_EQ(RunProgram(process, model, fake.messageBox, kMainWindow), 0);

  // (1024 - 347) / 2 and (768 - 161) / 2, whole pixels.
  const auto& journal = toolkit.journal;
  const auto created = std::find(journal.begin(), journal.end(),
                                 std::string("create window ") + kCaption + " owner=none hidden at 338,303 347x161");
  ASSERT_NE(created, journal.end());
  const auto filled = std::find(journal.begin(), journal.end(), std::string("set text 标签8 = 2012年3月16日8时5分9秒"));
  const auto shown = std::find(journal.begin(), journal.end(), std::string("show ") + kCaption);
  ASSERT_NE(shown, journal.end());
  EXPECT_LT(filled, shown) << "the clock label must be filled before the window is first shown";
  EXPECT_EQ(clockAtTicks, (std::vector<std::string>{"2012年3月16日8时5分9秒", "2012年3月16日9时"}));
  EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST(MainWindow, ControlsInCreationOrderWithTheGroupBoxMembersInside) {
  FakeWindowSystem toolkit;
  FakePlatform fake;
  HideRecommendation(fake);
  WindowModel model(toolkit);
  RegisterProgramWindows(model, fake.platform);
  ASSERT_TRUE(model.LoadStartWindow(kMainWindow));
  const UiHandle window = toolkit.Window(kCaption);
  EXPECT_EQ(toolkit.Children(window), (std::vector<std::string>{"超级链接框3", "标签2", "超级链接框2", "超级链接框1", "分组框1"}));
  EXPECT_EQ(toolkit.Children(toolkit.Control(kCaption, "分组框1")),
            (std::vector<std::string>{"标签3", "设置IE首页", "超级链接框4", "标签8", "标签1", "同步按钮"}));
  EXPECT_TRUE(toolkit.TimerRunning(window, 1));
  const auto& journal = toolkit.journal;
  EXPECT_NE(std::find(journal.begin(), journal.end(), std::string("start timer ") + kCaption + " 1 every 999 ms"),
            journal.end());
}

}  // namespace
}  // namespace tessivo::ui
