// The start page and the preference file through the real registry and profile functions:
// the bytes and type of the value as stored, keys created when missing, the preference file's
// bytes as written, and what reading gives for the file's usual states. Then RecommendWindow on
// the real toolkit at start-up: its layout, the title bar its created handler gives it, and
// its close button.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/code_page.h"
#include "platform/win32/profile_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_system_win32.h"
#include "settings/home_page.h"
#include "settings/portal.h"
#include "settings/preferences.h"
#include "tests/windows/win32_test_util.h"
#include "tests/fakes/fake_message_box.h"
#include "tests/fakes/fake_platform.h"
#include "ui/link_label.h"
#include "ui/window_model.h"
#include "ui/windows/main_window.h"
#include "ui/windows/program_windows.h"
#include "ui/windows/recommend_window.h"

namespace tessivo::win32 {
namespace {

constexpr const char* kTestKey = "Software\\TessivoTest";

struct StoredValue {
  bool found = false;
  DWORD type = REG_NONE;
  std::string bytes;  // as stored, terminating zero included
};

StoredValue ReadStored(HKEY root, const std::string& keyPath, const std::string& name) {
  StoredValue stored;
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return stored;
  const RegistryKey key(opened);
  std::vector<char> buffer(1024);
  DWORD size = static_cast<DWORD>(buffer.size());
  if (::RegQueryValueExA(key.Get(), name.c_str(), nullptr, &stored.type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS) {
    return stored;
  }
  stored.found = true;
  stored.bytes.assign(buffer.data(), size);
  return stored;
}

bool KeyExists(const std::string& keyPath) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  ::RegCloseKey(opened);
  return true;
}

class StartPageValue : public ::testing::Test {
 protected:
  void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }
  void TearDown() override {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
  }
  Win32Registry registry;
};

TEST_F(StartPageValue, IsStoredAsRegSzWithItsTerminatingZeroInMissingKeys) {
  ASSERT_FALSE(KeyExists(kTestKey));
  // Two levels missing; a value name with a double-byte character whose trail byte is 5C.
  const std::string path = std::string(kTestKey) + "\\主页\\Main\\Start Page \x81\x5C";
  const std::string value = "http://www.2345.com/?27182 时间";
  ASSERT_TRUE(settings::WriteRegistryValue(registry, 3, path, value));
  const StoredValue stored = ReadStored(HKEY_CURRENT_USER, std::string(kTestKey) + "\\主页\\Main", "Start Page \x81\x5C");
  ASSERT_TRUE(stored.found);
  EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(stored.bytes, value + '\0');

  // The key now exists: opened, and the value replaced (shorter, so a stale tail would show).
  ASSERT_TRUE(settings::WriteRegistryValue(registry, 3, path, "x"));
  EXPECT_EQ(ReadStored(HKEY_CURRENT_USER, std::string(kTestKey) + "\\主页\\Main", "Start Page \x81\x5C").bytes,
            std::string("x") + '\0');
  // An empty text is a single zero byte.
  ASSERT_TRUE(settings::WriteRegistryValue(registry, 3, path, ""));
  EXPECT_EQ(ReadStored(HKEY_CURRENT_USER, std::string(kTestKey) + "\\主页\\Main", "Start Page \x81\x5C").bytes,
            std::string(1, '\0'));
}

TEST_F(StartPageValue, APathWithoutABackslashIsAValueUnderTheRoot) {
  const std::string name = "TessivoTestValue\x81\x5C";
  ASSERT_TRUE(settings::WriteRegistryValue(registry, 3, name, "v"));
  const StoredValue stored = ReadStored(HKEY_CURRENT_USER, "", name);
  ::RegDeleteValueA(HKEY_CURRENT_USER, name.c_str());
  ASSERT_TRUE(stored.found);
  EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(stored.bytes, std::string("v") + '\0');
}

TEST_F(StartPageValue, FailsWhenTheKeyCanBeNeitherOpenedNorCreated) {
  // A key name cannot be longer than 255 characters.
  const std::string path = std::string(kTestKey) + "\\" + std::string(300, 'k') + "\\Name";
  EXPECT_FALSE(settings::WriteRegistryValue(registry, 3, path, "v"));
}

TEST(SetPortalHomePage, WritesInternetExplorersStartPageAndConfirms) {
  Win32Registry registry;
  testing::FakeMessageBox messageBox;
  settings::SetPortalHomePage(registry, messageBox);
  const StoredValue stored =
      ReadStored(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Main", "Start Page");
  ASSERT_TRUE(stored.found);
  EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(stored.bytes, std::string(PortalAddress) + '\0');
  ASSERT_EQ(messageBox.shown.size(), 1u);
  EXPECT_EQ(messageBox.shown[0].text, "设置成功！");
}

std::string TempPath(const char* name) {
  char folder[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

class PreferenceFile : public ::testing::Test {
 protected:
  void SetUp() override { ::DeleteFileA(path.c_str()); }
  void TearDown() override { ::DeleteFileA(path.c_str()); }
  std::string Read() {
    return settings::ReadProfileText(profiles, path, settings::kPreferenceSection, settings::kPreferenceKey);
  }
  bool Write(std::string_view value) {
    return settings::WriteProfileText(profiles, path, settings::kPreferenceSection, settings::kPreferenceKey, value);
  }
  const std::string path = TempPath("tessivo-time-test.ini");
  Win32ProfileFiles profiles;
};

TEST_F(PreferenceFile, IsWrittenAsOneSectionWithOneKeyInCodePage936) {
  ASSERT_TRUE(Write("1"));
  EXPECT_EQ(FileBytes(path), "[time_\xB9\xE3\xB8\xE6]\r\ntime_\xB9\xE3\xB8\xE6" "1=1\r\n");
  EXPECT_EQ(Read(), "1");
  ASSERT_TRUE(Write("0"));  // replaced in place
  EXPECT_EQ(FileBytes(path), "[time_\xB9\xE3\xB8\xE6]\r\ntime_\xB9\xE3\xB8\xE6" "1=0\r\n");
  EXPECT_EQ(Read(), "0");
}

TEST_F(PreferenceFile, ReadsWhatTheFileHolds) {
  struct Case {
    const char* name;
    const char* file;  // nullptr: no file
    std::string read;
  };
  const std::vector<Case> cases = {
      {"the key", "[time_广告]\r\ntime_广告1=1\r\n", "1"},
      {"zero", "[time_广告]\r\ntime_广告1=0\r\n", "0"},
      {"leading zero", "[time_广告]\r\ntime_广告1=01\r\n", "01"},
      // The profile functions themselves drop the blanks around a value.
      {"leading space", "[time_广告]\r\ntime_广告1= 1\r\n", "1"},
      {"spaces around", "[time_广告]\r\ntime_广告1 =  1  \r\n", "1"},
      {"empty value", "[time_广告]\r\ntime_广告1=\r\n", ""},
      {"another key", "[time_广告]\r\ntime_广告2=1\r\n", ""},
      {"without the section", "[time]\r\ntime_广告1=1\r\n", ""},
      {"empty file", "", ""},
      {"no file", nullptr, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ::DeleteFileA(path.c_str());
    if (c.file != nullptr) WriteFileBytes(path, c.file);
    EXPECT_EQ(Read(), c.read);
  }
}

TEST_F(PreferenceFile, ALongValueIsCutToTheBuffer) {
  ASSERT_TRUE(Write(std::string(12000, 'x')));
  EXPECT_EQ(Read(), std::string(kProfileReadBufferBytes - 1, 'x'));
}

TEST_F(PreferenceFile, ThePathSectionAndKeyAreReadWithoutLeadingBlanks) {
  ASSERT_TRUE(Write("1"));
  EXPECT_EQ(settings::ReadProfileText(profiles, "  " + path, " \ttime_广告", "\x01time_广告1"), "1");
}

using test_util::Hwnd;
using test_util::RectIn;
using test_util::TextOf;
using test_util::Wide;

// The program's windows at start-up; the timer below looks at RecommendWindow from inside the
// modal wait and then closes it with its own button.
class RecommendWindowOnScreen : public ::testing::Test {
 protected:
  testing::FakePlatform fake;
  Win32WindowSystem toolkit{::GetModuleHandleW(nullptr), fake.shell, fake.registry};
  ui::WindowModel model{toolkit};

  void SetUp() override {
    ASSERT_TRUE(toolkit.Ready());
    fake.clock.now = {2012, 3, 16, 8, 5, 9, 5};
    ui::RegisterProgramWindows(model, fake.platform);
    // Under its own caption, so that a test of the real program that runs meanwhile on the
    // same display never takes this MainWindow for its own.
    ui::WindowDefinition main = ui::MainWindowDefinition();
    main.settings.caption = "Tessivo settings test";
    model.RegisterWindow(std::move(main));
    current = this;
    inspected = false;
  }
  void TearDown() override { current = nullptr; }

  static void CALLBACK Inspect(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    if (current != nullptr) current->InspectAndClose();
  }

  void InspectAndClose() {
    inspected = true;
    HWND window = Hwnd(model.WindowHandle(ui::kRecommendWindow));
    HWND main = Hwnd(model.WindowHandle(ui::kMainWindow));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_FALSE(::IsWindowVisible(main));
    EXPECT_FALSE(::IsWindowEnabled(main));
    EXPECT_EQ(::GetWindow(window, GW_OWNER), main);

    // The created handler's caption gave it a title bar inside the same outer size; still no
    // system menu, so no close, minimise or maximise button.
    EXPECT_EQ(TextOf(window), Wide("推荐"));
    const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_FALSE(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    RECT outer;
    ::GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, 304);
    EXPECT_EQ(outer.bottom - outer.top, 176);
    EXPECT_EQ(outer.left, (::GetSystemMetrics(SM_CXSCREEN) - 304) / 2);
    EXPECT_EQ(outer.top, (::GetSystemMetrics(SM_CYSCREEN) - 176) / 2);

    for (const ui::ControlDefinition& control : ui::RecommendWindowDefinition().controls) {
      SCOPED_TRACE(control.name);
      HWND hwnd = Hwnd(model.ControlHandle(ui::kRecommendWindow, control.name));
      ASSERT_NE(hwnd, nullptr);
      EXPECT_EQ(::GetParent(hwnd), window);
      EXPECT_EQ(RectIn(hwnd, window), control.rect);
      EXPECT_TRUE(::IsWindowVisible(hwnd));
      const bool tabStop = control.kind == ui::ControlKind::PushButton || control.kind == ui::ControlKind::RadioButton;
      EXPECT_EQ((::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_TABSTOP) != 0, tabStop);
      EXPECT_EQ(TextOf(hwnd), Wide(control.kind == ui::ControlKind::LinkLabel ? ui::LinkLabelText(control) : control.text));
    }
    // The two microblog links have no caption and show their addresses.
    EXPECT_EQ(TextOf(Hwnd(model.ControlHandle(ui::kRecommendWindow, "超级链接框3"))), Wide("http://t.qq.com/tessivo"));
    EXPECT_EQ(TextOf(Hwnd(model.ControlHandle(ui::kRecommendWindow, "超级链接框2"))), Wide("http://weibo.com/tessivo"));

    HWND radio = Hwnd(model.ControlHandle(ui::kRecommendWindow, ui::kDoNotShowAgainRadio));
    EXPECT_EQ(::SendMessageW(radio, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ::SendMessageW(radio, BM_CLICK, 0, 0);
    ::SendMessageW(Hwnd(model.ControlHandle(ui::kRecommendWindow, ui::kRecommendCloseButton)), BM_CLICK, 0, 0);
  }

  static RecommendWindowOnScreen* current;
  bool inspected = false;
};

RecommendWindowOnScreen* RecommendWindowOnScreen::current = nullptr;

TEST_F(RecommendWindowOnScreen, ShowsFirstAndItsCloseButtonStoresTheChoiceAndLetsMainWindowAppear) {
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 200, &RecommendWindowOnScreen::Inspect);
  ASSERT_TRUE(model.LoadStartWindow(ui::kMainWindow));  // returns once RecommendWindow is gone
  ::KillTimer(nullptr, timer);
  EXPECT_TRUE(inspected);
  EXPECT_FALSE(model.IsLoaded(ui::kRecommendWindow));
  HWND main = Hwnd(model.WindowHandle(ui::kMainWindow));
  EXPECT_TRUE(::IsWindowVisible(main));
  EXPECT_TRUE(::IsWindowEnabled(main));
  ASSERT_EQ(fake.profiles.writes.size(), 1u);
  EXPECT_EQ(fake.profiles.writes[0].value, "1");
  ASSERT_EQ(fake.shell.calls.size(), 1u);
  EXPECT_EQ(fake.shell.calls[0].target, PortalAddress);
  ::DestroyWindow(main);
}

TEST_F(RecommendWindowOnScreen, StoredOneKeepsItAwayAndMainWindowAppearsAtOnce) {
  fake.profiles.Set(settings::kPreferenceFile, settings::kPreferenceSection, settings::kPreferenceKey, "1");
  // Should the window show after all, this closes it so that the modal wait ends.
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 200, &RecommendWindowOnScreen::Inspect);
  ASSERT_TRUE(model.LoadStartWindow(ui::kMainWindow));
  ::KillTimer(nullptr, timer);
  EXPECT_FALSE(inspected);
  EXPECT_FALSE(model.IsLoaded(ui::kRecommendWindow));
  HWND main = Hwnd(model.WindowHandle(ui::kMainWindow));
  EXPECT_TRUE(::IsWindowVisible(main));
  EXPECT_TRUE(::IsWindowEnabled(main));
  EXPECT_TRUE(fake.profiles.writes.empty());
  ::DestroyWindow(main);
}

}  // namespace
}  // namespace tessivo::win32
