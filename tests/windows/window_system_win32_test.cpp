// The Win32 toolkit under the window model, on a real (virtual) display: MainWindow as the
// program builds it, read back from the windows themselves; owners, stacking, the modal wait
// and the end of the loop.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "datetime/date_time.h"
#include "platform/platform.h"
#include "platform/win32/code_page.h"
#include "platform/win32/window_system_win32.h"
#include "settings/preferences.h"
#include "tests/windows/win32_test_util.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_shell.h"
#include "ui/link_label.h"
#include "ui/window_model.h"
#include "ui/windows/main_window.h"
#include "ui/windows/program_windows.h"

namespace tessivo::win32 {
namespace {

using test_util::Hwnd;
using test_util::RectIn;
using test_util::TextOf;
using test_util::Wide;

class ProgramWindows : public ::testing::Test {
 protected:
  testing::FakePlatform fake;
  testing::FakeShell shell;
  testing::FakeRegistry registry;
  Win32WindowSystem toolkit{::GetModuleHandleW(nullptr), shell, registry};
  ui::WindowModel model{toolkit};

  void SetUp() override {
    ASSERT_TRUE(toolkit.Ready());
    fake.clock.now = {2012, 3, 16, 8, 5, 9, 5};
    // MainWindow alone: the stored preference keeps the recommendation away.
    fake.profiles.Set(settings::kPreferenceFile, settings::kPreferenceSection, settings::kPreferenceKey, "1");
    ui::RegisterProgramWindows(model, fake.platform);
  }

  // Runs the loop until `done` or about `ms` milliseconds have passed.
  void RunFor(DWORD ms, const std::function<bool()>& done) {
    const DWORD start = ::GetTickCount();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, nullptr);  // keeps the loop waking up
    toolkit.RunLoop([&] { return done() || ::GetTickCount() - start > ms; });
    ::KillTimer(nullptr, timer);
  }
};

TEST_F(ProgramWindows, MainWindowIsLaidOutAsDefined) {
  ASSERT_TRUE(model.LoadStartWindow(ui::kMainWindow));
  HWND window = Hwnd(model.WindowHandle(ui::kMainWindow));
  ASSERT_TRUE(::IsWindowVisible(window));
  EXPECT_EQ(TextOf(window), Wide("Tessivo时间同步器"));
  EXPECT_EQ(::GetWindow(window, GW_OWNER), nullptr);  // its own taskbar button

  RECT outer;
  ::GetWindowRect(window, &outer);
  EXPECT_EQ(outer.right - outer.left, 347);
  EXPECT_EQ(outer.bottom - outer.top, 161);
  EXPECT_EQ(outer.left, (::GetSystemMetrics(SM_CXSCREEN) - 347) / 2);
  EXPECT_EQ(outer.top, (::GetSystemMetrics(SM_CYSCREEN) - 161) / 2);

  const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);

  const ui::WindowDefinition definition = ui::MainWindowDefinition();
  for (const ui::ControlDefinition& control : definition.controls) {
    SCOPED_TRACE(control.name);
    if (control.kind == ui::ControlKind::Timer) continue;
    HWND hwnd = Hwnd(model.ControlHandle(ui::kMainWindow, control.name));
    ASSERT_NE(hwnd, nullptr);
    HWND container = control.container.empty() ? window : Hwnd(model.ControlHandle(ui::kMainWindow, control.container));
    EXPECT_EQ(::GetParent(hwnd), container);
    EXPECT_EQ(RectIn(hwnd, container), control.rect);
    EXPECT_TRUE(::IsWindowVisible(hwnd));
    EXPECT_EQ((::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_TABSTOP) != 0, control.kind == ui::ControlKind::PushButton);
    EXPECT_EQ((::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_BORDER) != 0, control.border == ui::Border::SingleLine);
    if (control.name == ui::kClockLabel) {
      // Filled by the created handler, before the window was first shown.
      EXPECT_EQ(TextOf(hwnd), Wide("2012年3月16日8时5分9秒"));
    } else if (control.kind == ui::ControlKind::LinkLabel) {
      EXPECT_EQ(TextOf(hwnd), Wide(ui::LinkLabelText(control)));
    } else {
      EXPECT_EQ(TextOf(hwnd), Wide(control.text));
    }
  }
}

TEST_F(ProgramWindows, SiblingsStackInCreationOrder) {
  ASSERT_TRUE(model.LoadStartWindow(ui::kMainWindow));
  auto order = [](HWND parent) {
    std::vector<std::wstring> texts;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
      texts.push_back(TextOf(child));
    }
    return texts;
  };
  HWND window = Hwnd(model.WindowHandle(ui::kMainWindow));
  HWND group = Hwnd(model.ControlHandle(ui::kMainWindow, "分组框1"));
  // The site-name link lies above the copyright line it covers.
  EXPECT_EQ(order(window), (std::vector<std::wstring>{Wide("tessivo.com"), Wide("版权所有 tessivo.com 2012"),
                                                      Wide("官方微博"), Wide("官方网站"), Wide("同步")}));
  EXPECT_EQ(order(group).size(), 6u);
  EXPECT_EQ(order(group).front(), Wide("↓点击支持Tessivo发展↓"));
  EXPECT_EQ(order(group).back(), Wide("同步"));
}

TEST_F(ProgramWindows, ClockTicksAndClosingEndsTheLoopWithZero) {
  ASSERT_TRUE(model.LoadStartWindow(ui::kMainWindow));
  HWND clock = Hwnd(model.ControlHandle(ui::kMainWindow, ui::kClockLabel));
  fake.clock.now = {2012, 3, 16, 9, 0, 0, 5};
  RunFor(3000, [&] { return TextOf(clock) == Wide("2012年3月16日9时"); });
  EXPECT_EQ(TextOf(clock), Wide("2012年3月16日9时"));

  ::PostMessageW(Hwnd(model.WindowHandle(ui::kMainWindow)), WM_CLOSE, 0, 0);
  EXPECT_EQ(model.RunMainLoop(), 0);
  EXPECT_FALSE(model.IsLoaded(ui::kMainWindow));
}

// A parent with an owned window, and a modal window without a parent, through the toolkit.
class Owners : public ::testing::Test {
 protected:
  testing::FakeShell shell;
  testing::FakeRegistry registry;
  Win32WindowSystem toolkit{::GetModuleHandleW(nullptr), shell, registry};
  ui::WindowModel model{toolkit};
  std::vector<std::string> destroyed;

  static ui::WindowDefinition Window(std::string name, bool taskbarButton) {
    ui::WindowDefinition w;
    w.name = name;
    w.settings.caption = name;
    w.settings.outerSize = {200, 100};
    w.settings.taskbarButton = taskbarButton;
    return w;
  }

  void SetUp() override {
    ASSERT_TRUE(toolkit.Ready());
    ASSERT_TRUE(model.CreateInvisibleOwner());
    model.RegisterWindow(Window("Parent", true));
    model.RegisterWindow(Window("Child", true));
    model.RegisterWindow(Window("Tool", false));
  }
};

TEST_F(Owners, OwnedWindowsFollowTheirOwner) {
  ASSERT_TRUE(model.LoadStartWindow("Parent"));
  ASSERT_TRUE(model.LoadWindow("Child", "Parent", false));
  ASSERT_TRUE(model.LoadWindow("Tool", "", false));
  HWND parent = Hwnd(model.WindowHandle("Parent"));
  HWND child = Hwnd(model.WindowHandle("Child"));
  HWND tool = Hwnd(model.WindowHandle("Tool"));
  EXPECT_EQ(::GetWindow(child, GW_OWNER), parent);
  HWND invisible = ::GetWindow(tool, GW_OWNER);
  ASSERT_NE(invisible, nullptr);  // no taskbar button: owned by the hidden tool window
  EXPECT_FALSE(::IsWindowVisible(invisible));
  EXPECT_TRUE(::GetWindowLongPtrW(invisible, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

  // Loading the open window again makes no second one.
  EXPECT_TRUE(model.LoadWindow("Child", "Parent", false));
  EXPECT_EQ(Hwnd(model.WindowHandle("Child")), child);

  // Closing the owner takes the owned window with it; the loop ends once Tool goes too.
  ::PostMessageW(parent, WM_CLOSE, 0, 0);
  ::PostMessageW(tool, WM_CLOSE, 0, 0);
  EXPECT_EQ(model.RunMainLoop(), 0);
  EXPECT_FALSE(::IsWindow(child));
  EXPECT_FALSE(model.IsLoaded("Child"));
}

// What the timer below saw from inside the modal wait.
HWND g_parent = nullptr;
bool g_parentWasDisabled = false;

TEST_F(Owners, ModalWaitDisablesTheOthersUntilItsWindowGoes) {
  ASSERT_TRUE(model.LoadStartWindow("Parent"));
  g_parent = Hwnd(model.WindowHandle("Parent"));
  g_parentWasDisabled = false;
  // Runs inside the modal wait's loop: looks at the parent, then closes the modal window.
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
    HWND tool = ::FindWindowW(nullptr, L"Tool");
    if (tool == nullptr) return;
    g_parentWasDisabled = !::IsWindowEnabled(g_parent);
    ::PostMessageW(tool, WM_CLOSE, 0, 0);
  });
  ASSERT_TRUE(model.LoadWindow("Tool", "", true));  // returns once Tool is gone
  ::KillTimer(nullptr, timer);
  EXPECT_TRUE(g_parentWasDisabled);
  EXPECT_TRUE(::IsWindowEnabled(g_parent));  // enabled again before Tool was destroyed
  EXPECT_FALSE(model.IsLoaded("Tool"));
}

}  // namespace
}  // namespace tessivo::win32
