// The sync button on the Win32 toolkit, on a real (virtual) display: the result window it opens,
// read back from the windows themselves. The time source and the clock are fakes, so nothing
// goes to the network and the machine's clock is never touched.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/code_page.h"
#include "platform/win32/window_system_win32.h"
#include "settings/preferences.h"
#include "tests/windows/win32_test_util.h"
#include "tests/fakes/fake_platform.h"
#include "ui/window_model.h"
#include "ui/windows/main_window.h"
#include "ui/windows/maker.h"
#include "ui/windows/program_windows.h"
#include "ui/windows/share_links.h"
#include "ui/windows/sync_result_window.h"

namespace tessivo::win32 {
namespace {

using test_util::Hwnd;
using test_util::RectIn;
using test_util::TextOf;
using test_util::Wide;

// The texts of a window's children, top of the stacking order first.
std::vector<std::wstring> StackOf(HWND parent) {
  std::vector<std::wstring> texts;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    texts.push_back(TextOf(child));
  }
  return texts;
}

constexpr const char* kBefore = "2012年3月16日8时5分9秒";

// The program with MainWindow open and the recommendation turned off.
class SyncButton : public ::testing::Test {
 protected:
  testing::FakePlatform fake;
  Win32WindowSystem toolkit{::GetModuleHandleW(nullptr), fake.shell, fake.registry};
  ui::WindowModel model{toolkit};

  void SetUp() override {
    ASSERT_TRUE(toolkit.Ready());
    fake.profiles.Set(settings::kPreferenceFile, settings::kPreferenceSection, settings::kPreferenceKey,
                      settings::kRecommendationHidden);
    fake.clock.now = {2012, 3, 16, 8, 5, 9, 5};
    fake.http.dateHeader = "Fri, 16 Mar 2012 07:30:00 GMT";
    ui::RegisterProgramWindows(model, fake.platform);
    ASSERT_TRUE(model.LoadStartWindow(ui::kMainWindow));
  }

  HWND Main() const { return Hwnd(model.WindowHandle(ui::kMainWindow)); }
  HWND Result() const { return Hwnd(model.WindowHandle(ui::kSyncResultWindow)); }
  HWND Control(std::string_view unit) const { return Hwnd(model.ControlHandle(ui::kSyncResultWindow, unit)); }

  // What the user's click does: the button is pressed and released, and its window is told.
  void Press() { ::SendMessageW(Hwnd(model.ControlHandle(ui::kMainWindow, ui::kSyncButton)), BM_CLICK, 0, 0); }

  // Runs the loop until `done` or about `ms` milliseconds have passed.
  void RunFor(DWORD ms, const std::function<bool()>& done) {
    const DWORD start = ::GetTickCount();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, nullptr);  // keeps the loop waking up
    toolkit.RunLoop([&] { return done() || ::GetTickCount() - start > ms; });
    ::KillTimer(nullptr, timer);
  }
};

struct ExpectedControl {
  const char* unit;
  bool inGroupBox;
  ui::Rect rect;
  const char* text;  // nullptr: written by the press
  bool border;
};

// The layout of the result window, in creation order.
const ExpectedControl kLayout[] = {
    {"标签8", true, {13, 75, 53, 15}, "分享一下;", false},
    {"超级链接框2", true, {159, 74, 91, 16}, "分享自新浪微博", true},
    {"超级链接框1", true, {68, 74, 90, 16}, "分享自腾讯微博", true},
    {"分组框1", false, {22, 6, 255, 98}, "成功", false},
    {"标签7", true, {59, 55, 80, 15}, nullptr, false},
    {"标签6", true, {13, 55, 32, 15}, "用时:", false},
    {"标签5", true, {59, 37, 168, 15}, nullptr, false},
    {"标签4", true, {59, 19, 168, 15}, nullptr, false},
    {"标签3", true, {13, 38, 40, 15}, "同步后:", false},
    {"标签2", true, {13, 18, 40, 15}, "同步前:", false},
};

TEST_F(SyncButton, PressOpensTheResultWindowOwnedByMainWindowAndFillsIt) {
  fake.clock.ticks = {1000, 1010, 1200, 1235};
  Press();

  HWND result = Result();
  ASSERT_NE(result, nullptr);
  EXPECT_TRUE(::IsWindowVisible(result));
  EXPECT_EQ(TextOf(result), Wide("同步成功"));
  EXPECT_EQ(::GetWindow(result, GW_OWNER), Main());  // above it, and no taskbar button

  RECT outer;
  ::GetWindowRect(result, &outer);
  EXPECT_EQ(outer.right - outer.left, 298);
  EXPECT_EQ(outer.bottom - outer.top, 143);
  EXPECT_EQ(outer.left, (::GetSystemMetrics(SM_CXSCREEN) - 298) / 2);
  EXPECT_EQ(outer.top, (::GetSystemMetrics(SM_CYSCREEN) - 143) / 2);

  const LONG_PTR style = ::GetWindowLongPtrW(result, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);

  HWND group = Control("分组框1");
  ASSERT_NE(group, nullptr);
  for (const ExpectedControl& c : kLayout) {
    SCOPED_TRACE(c.unit);
    HWND hwnd = Control(c.unit);
    ASSERT_NE(hwnd, nullptr);
    HWND container = c.inGroupBox ? group : result;
    EXPECT_EQ(::GetParent(hwnd), container);
    EXPECT_EQ(RectIn(hwnd, container), c.rect);
    EXPECT_TRUE(::IsWindowVisible(hwnd));
    const LONG_PTR controlStyle = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
    EXPECT_FALSE(controlStyle & WS_TABSTOP);
    EXPECT_EQ((controlStyle & WS_BORDER) != 0, c.border);
    if (c.text != nullptr) {
      EXPECT_EQ(TextOf(hwnd), Wide(c.text));
    }
  }
  // Creation order is stacking order within each container.
  EXPECT_EQ(StackOf(result), std::vector<std::wstring>{Wide("成功")});
  EXPECT_EQ(StackOf(group),
            (std::vector<std::wstring>{Wide("分享一下;"), Wide("分享自新浪微博"), Wide("分享自腾讯微博"), Wide("235 ms"),
                                       Wide("用时:"), Wide("2012年3月16日15时30分"), Wide(kBefore), Wide("同步后:"),
                                       Wide("同步前:")}));

  EXPECT_EQ(TextOf(Control(ui::kTimeBeforeLabel)), Wide(kBefore));
  EXPECT_EQ(TextOf(Control(ui::kTimeAfterLabel)), Wide("2012年3月16日15时30分"));  // the fake clock, corrected
  EXPECT_EQ(TextOf(Control(ui::kTimeTakenLabel)), Wide("235 ms"));
  EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST_F(SyncButton, SecondPressReusesTheWindowAndClosingMainWindowTakesItAlong) {
  fake.http.createFails = true;
  fake.clock.ticks = {1000, 1100, 5000, 5035};
  Press();
  HWND result = Result();
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(TextOf(Control(ui::kTimeTakenLabel)), Wide("100 ms"));

  fake.clock.now = {2012, 3, 16, 9, 0, 0, 5};
  Press();
  EXPECT_EQ(Result(), result);
  EXPECT_EQ(::FindWindowW(nullptr, Wide("同步成功").c_str()), result);  // one window of that title
  EXPECT_EQ(TextOf(Control(ui::kTimeBeforeLabel)), Wide("2012年3月16日9时"));
  EXPECT_EQ(TextOf(Control(ui::kTimeAfterLabel)), Wide("2012年3月16日9时"));
  EXPECT_EQ(TextOf(Control(ui::kTimeTakenLabel)), Wide("35 ms"));

  ::PostMessageW(Main(), WM_CLOSE, 0, 0);
  EXPECT_EQ(model.RunMainLoop(), 0);
  EXPECT_FALSE(::IsWindow(result));
  EXPECT_FALSE(model.IsLoaded(ui::kSyncResultWindow));
}

TEST_F(SyncButton, EscClosesTheResultWindowAndTheNextPressBuildsItAgain) {
  fake.http.createFails = true;
  fake.clock.ticks = {1000, 1100, 5000, 5035};
  Press();
  HWND first = Result();
  ASSERT_NE(first, nullptr);

  ::PostMessageW(first, WM_KEYDOWN, VK_ESCAPE, 0);
  RunFor(3000, [&] { return !::IsWindow(first); });
  EXPECT_FALSE(::IsWindow(first));
  EXPECT_FALSE(model.IsLoaded(ui::kSyncResultWindow));
  EXPECT_TRUE(::IsWindow(Main()));  // the program goes on

  Press();
  HWND second = Result();
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(::IsWindowVisible(second));
  EXPECT_EQ(::GetWindow(second, GW_OWNER), Main());
  EXPECT_EQ(TextOf(Control(ui::kTimeBeforeLabel)), Wide(kBefore));
  EXPECT_EQ(TextOf(Control(ui::kTimeTakenLabel)), Wide("35 ms"));
}

TEST_F(SyncButton, ShareLinksOpenTheirAddresses) {
  fake.http.createFails = true;
  Press();
  ASSERT_NE(Result(), nullptr);
  ::SendMessageW(Control("超级链接框2"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageW(Control("超级链接框2"), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ::SendMessageW(Control("超级链接框1"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageW(Control("超级链接框1"), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  std::vector<std::string> opened;
  for (const auto& call : fake.shell.calls) opened.push_back(call.what + " " + call.target);
  EXPECT_EQ(opened, (std::vector<std::string>{"open " + ui::SinaShareAddress(ui::kMakerSite),
                                              "open " + ui::TencentShareAddress(ui::kMakerSite)}));
}

// The addresses carry UTF-8 twins of our code page 936 texts: the system's own conversion of
// each text must give its twin byte for byte.
TEST(ShareTexts, Utf8TwinsAreTheCodePageTexts) {
  auto utf8 = [](std::string_view cp936) { return WideToCodePage(CP_UTF8, CodePageToWide(kTextCodePage, cp936)); };
  auto bytes = [](std::u8string_view text) { return std::string(text.begin(), text.end()); };
  EXPECT_EQ(utf8(ui::kShareTitleSina), bytes(ui::kShareTitleSinaUtf8));
  EXPECT_EQ(utf8(ui::kShareTitleTencent), bytes(ui::kShareTitleTencentUtf8));
  EXPECT_EQ(utf8(ui::kProductName), bytes(ui::kProductNameUtf8));
}

}  // namespace
}  // namespace tessivo::win32
