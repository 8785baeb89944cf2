// RecommendWindow in the program's start-up, with the real window definitions over the
// recording toolkit and fake platform services: suppressed by the stored preference without
// ever being shown, or shown modally over a hidden and disabled MainWindow until its close
// button stores the choice, opens the portal and lets MainWindow appear.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/process.h"
#include "settings/portal.h"
#include "settings/preferences.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_window_system.h"
#include "ui/startup.h"
#include "ui/window_model.h"
#include "ui/windows/main_window.h"
#include "ui/windows/program_windows.h"
#include "ui/windows/recommend_window.h"

namespace tessivo::ui {
namespace {

using testing::FakePlatform;
using testing::FakeWindowSystem;
using testing::ProfileEntry;

class QuietProcess : public ProcessServices {
 public:
  bool InitializeObjectModel() override { return true; }
  void UninitializeObjectModel() override {}
  void EnterProgramFolder() override {}
};

constexpr std::string_view kMain = "Tessivo时间同步器";
// The toolkit names a window by its caption at creation: RecommendWindow is built without one.
constexpr std::string_view kRecommend = "(no caption)";

const ProfileEntry kPreferenceRead{std::string(settings::kPreferenceFile), std::string(settings::kPreferenceSection),
                                   std::string(settings::kPreferenceKey), ""};

ProfileEntry PreferenceWrite(std::string value) {
  ProfileEntry entry = kPreferenceRead;
  entry.value = std::move(value);
  return entry;
}

class RecommendWindowStartup : public ::testing::Test {
 protected:
  RecommendWindowStartup() {
    toolkit.screen = {1280, 768};
    fake.clock.now = {2012, 3, 16, 8, 5, 9, 5};
    RegisterProgramWindows(model, fake.platform);
  }

  void StorePreference(std::string_view value) {
    fake.profiles.Set(settings::kPreferenceFile, settings::kPreferenceSection, settings::kPreferenceKey, value);
  }
  int Run() { return RunProgram(process, model, fake.platform.messageBox, kMainWindow); }

  std::ptrdiff_t At(std::string_view line) const {
    const auto& journal = toolkit.journal;
    const auto found = std::find(journal.begin(), journal.end(), line);
    return found == journal.end() ? -1 : found - journal.begin();
  }
  std::ptrdiff_t Count(std::string_view line) const {
    return std::count(toolkit.journal.begin(), toolkit.journal.end(), line);
  }
  UiHandle Main() const { return toolkit.Window(kMain); }
  UiHandle Recommend() const { return toolkit.Window(kRecommend); }
  UiHandle RecommendControl(std::string_view unit) const { return toolkit.Control(kRecommend, unit); }

  FakeWindowSystem toolkit;
  FakePlatform fake;
  QuietProcess process;
  WindowModel model{toolkit};
};

TEST_F(RecommendWindowStartup, StoredOneSuppressesItBeforeItIsEverShown) {
  StorePreference("1");
  toolkit.WhenIdle([this] {
    EXPECT_TRUE(toolkit.IsVisible(Main()));
    EXPECT_TRUE(toolkit.IsEnabled(Main()));
    toolkit.PostClose(Main());
  });
  EXPECT_EQ(Run(), 0);

  // Built with its title, then destroyed by the running load: never shown, no modal wait, and
  // MainWindow never disabled.
  EXPECT_GE(At("set text (no caption) = 推荐"), 0);
  EXPECT_LT(At("set text (no caption) = 推荐"), At("destroyed (no caption)"));
  EXPECT_LT(At("destroyed (no caption)"), At(std::string("show ") + std::string(kMain)));
  EXPECT_EQ(At("show (no caption)"), -1);
  EXPECT_EQ(At(std::string("enable ") + std::string(kMain) + " false"), -1);
  EXPECT_EQ(Count("run loop"), 1) << "only the main loop runs";
  EXPECT_EQ(fake.profiles.reads, (std::vector<ProfileEntry>{kPreferenceRead}));
  EXPECT_TRUE(fake.profiles.writes.empty());
  EXPECT_TRUE(fake.shell.calls.empty());
}

struct ShownCase {
  const char* name;
  std::optional<std::string> stored;  // none: no file, section or key
  bool checked;                       // the radio button when 关闭 is pressed
  std::string written;
  friend void PrintTo(const ShownCase& c, std::ostream* os) { *os << c.name; }
};

class RecommendWindowShown : public RecommendWindowStartup, public ::testing::WithParamInterface<ShownCase> {};

TEST_P(RecommendWindowShown, ShowsOverAHiddenDisabledMainWindowUntilClosed) {
  const ShownCase& c = GetParam();
  if (c.stored) StorePreference(*c.stored);
  toolkit.WhenIdle([this, &c] {
    // Inside the modal wait, inside MainWindow's created handler.
    EXPECT_EQ(model.CurrentModalWindow(), kRecommendWindow);
    EXPECT_TRUE(toolkit.IsVisible(Recommend()));
    EXPECT_EQ(toolkit.Text(Recommend()), "推荐");
    EXPECT_EQ(toolkit.Get(Recommend()).owner, Main());
    EXPECT_FALSE(toolkit.IsVisible(Main()));
    EXPECT_FALSE(toolkit.IsEnabled(Main()));
    EXPECT_EQ(toolkit.Text(toolkit.Control(kMain, kClockLabel)), "2012年3月16日8时5分9秒");
    toolkit.SetChecked(RecommendControl(kDoNotShowAgainRadio), c.checked);
    toolkit.PostClick(RecommendControl(kRecommendCloseButton));
  });
  toolkit.WhenIdle([this] {
    EXPECT_FALSE(model.IsLoaded(kRecommendWindow));
    EXPECT_TRUE(toolkit.IsVisible(Main()));
    EXPECT_TRUE(toolkit.IsEnabled(Main()));
    toolkit.PostClose(Main());
  });
  EXPECT_EQ(Run(), 0);

  // Enabled again before it is shown; shown once the recommendation has gone.
  const std::string main(kMain);
  EXPECT_GE(At("show (no caption)"), 0);
  EXPECT_LT(At("show (no caption)"), At("enable " + main + " false"));
  EXPECT_LT(At("enable " + main + " true"), At("destroyed (no caption)"));
  EXPECT_LT(At("destroyed (no caption)"), At("show " + main));
  EXPECT_EQ(fake.profiles.writes, (std::vector<ProfileEntry>{PreferenceWrite(c.written)}));
  EXPECT_EQ(fake.shell.calls, (std::vector<testing::ShellCall>{
                                  {"open", 0, std::string(PortalAddress), ShellShow::ShowNormal}}));
}

INSTANTIATE_TEST_SUITE_P(
    AnythingButOne, RecommendWindowShown,
    ::testing::Values(ShownCase{"Zero", "0", true, "1"}, ShownCase{"LeadingZero", "01", false, "0"},
                      ShownCase{"LeadingSpace", " 1", true, "1"}, ShownCase{"TrailingSpace", "1 ", false, "0"},
                      ShownCase{"Empty", "", false, "0"}, ShownCase{"Missing", std::nullopt, true, "1"}),
    [](const ::testing::TestParamInfo<ShownCase>& info) { return std::string(info.param.name); });

TEST_F(RecommendWindowStartup, OnlyTheFirstReadingDecides) {
  // Another process stores "1" between the two readings: the window still shows.
  StorePreference("0");
  fake.profiles.afterRead = [this] { StorePreference("1"); };
  toolkit.WhenIdle([this] {
    EXPECT_TRUE(toolkit.IsVisible(Recommend()));
    fake.profiles.afterRead = nullptr;
    toolkit.PostClick(RecommendControl(kRecommendCloseButton));
  });
  toolkit.WhenIdle([this] { toolkit.PostClose(Main()); });
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(fake.profiles.reads, (std::vector<ProfileEntry>{kPreferenceRead, kPreferenceRead}));
}

TEST_F(RecommendWindowStartup, HomePageButtonsSetTheStartPageAndLeaveTheWindowsOpen) {
  toolkit.WhenIdle([this] { toolkit.PostClick(RecommendControl(kHomePageButton)); });
  toolkit.WhenIdle([this] {
    EXPECT_TRUE(toolkit.IsVisible(Recommend()));
    toolkit.PostClick(RecommendControl(kRecommendCloseButton));
  });
  toolkit.WhenIdle([this] { toolkit.PostClick(toolkit.Control(kMain, kHomePageButton)); });
  toolkit.WhenIdle([this] {
    EXPECT_TRUE(toolkit.IsVisible(Main()));
    toolkit.PostClose(Main());
  });
  EXPECT_EQ(Run(), 0);

  const testing::RegistryWrite startPage{RegistryRoot::CurrentUser, "Software\\Microsoft\\Internet Explorer\\Main",
                                         "Start Page", std::string(PortalAddress)};
  EXPECT_EQ(fake.registry.writes, (std::vector<testing::RegistryWrite>{startPage, startPage}));
  ASSERT_EQ(fake.messageBox.shown.size(), 2u);
  for (const auto& box : fake.messageBox.shown) {
    EXPECT_EQ(box.text, "设置成功！");
    EXPECT_EQ(box.title, "成功");
    EXPECT_EQ(box.flags, 64u);
  }
}

TEST_F(RecommendWindowStartup, IsBuiltCentredWithoutATitleBarAndItsControlsInOrder) {
  toolkit.WhenIdle([this] { toolkit.PostClick(RecommendControl(kRecommendCloseButton)); });
  toolkit.WhenIdle([this] { toolkit.PostClose(Main()); });
  EXPECT_EQ(Run(), 0);
  // (1280 - 304) / 2 and (768 - 176) / 2; no caption yet, so no title bar.
  EXPECT_GE(At("create window (no caption) owner=Tessivo时间同步器 hidden at 488,296 304x176"), 0);
  EXPECT_EQ(toolkit.Children(Recommend()),
            (std::vector<std::string>{"按钮2", "单选框1", "超级链接框4", "超级链接框3", "超级链接框2", "标签2", "超级链接框1",
                                      "标签1", "设置IE首页"}));
  const WindowSettings settings = RecommendWindowDefinition().settings;
  EXPECT_TRUE(settings.caption.empty());
  EXPECT_FALSE(settings.systemMenu);
}

}  // namespace
}  // namespace tessivo::ui
