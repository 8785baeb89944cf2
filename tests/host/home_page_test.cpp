// The start page, the preference file and opening addresses over fake platform services: where
// a registry path splits (double-byte characters whose trail byte is a backslash included), the
// root codes, the confirmation after every write, the trimming of the profile texts, and the
// browser window that owns what the shell shows.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "settings/home_page.h"
#include "settings/portal.h"
#include "settings/preferences.h"
#include "tests/fakes/fake_message_box.h"
#include "tests/fakes/fake_profile.h"
#include "tests/fakes/fake_shell.h"

namespace tessivo::settings {
namespace {

using testing::FakeProfileFiles;
using testing::FakeRegistry;
using testing::FakeShell;
using testing::ProfileEntry;
using testing::RegistryWrite;

struct SplitCase {
  const char* name;
  std::string path;
  std::string keyPath;
  std::string valueName;
  friend void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }
};

class RegistryPathSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(RegistryPathSplit, WritesTheValueUnderTheKeyBeforeTheLastBackslash) {
  FakeRegistry registry;
  EXPECT_TRUE(WriteRegistryValue(registry, 3, GetParam().path, "v"));
  const std::vector<RegistryWrite> expected = {
      {RegistryRoot::CurrentUser, GetParam().keyPath, GetParam().valueName, "v"}};
  EXPECT_EQ(registry.writes, expected);
}

// "\x81\x5C" and "\xD5\x5C" are double-byte characters whose trail byte is 5C, a backslash
// when read byte by byte.
INSTANTIATE_TEST_SUITE_P(
    Paths, RegistryPathSplit,
    ::testing::Values(
        SplitCase{"StartPage", "Software\\Microsoft\\Internet Explorer\\Main\\Start Page",
                  "Software\\Microsoft\\Internet Explorer\\Main", "Start Page"},
        SplitCase{"TrailByteInValueName", "Software\\Key\\Name\x81\x5C", "Software\\Key", "Name\x81\x5C"},
        SplitCase{"TrailByteInKey", "Software\\\xD5\x5C\\Name", "Software\\\xD5\x5C", "Name"},
        SplitCase{"OnlyTrailBytes", "Name\x81\x5C\xD5\x5Cx", "", "Name\x81\x5C\xD5\x5Cx"},
        SplitCase{"NoBackslash", "Start Page", "", "Start Page"},
        SplitCase{"LeadingBackslash", "\\Start Page", "", "Start Page"},
        SplitCase{"TrailingBackslash", "Software\\Key\\", "Software\\Key", ""},
        SplitCase{"ChineseNames", "Software\\时间\\同步", "Software\\时间", "同步"}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(RegistryRootCodes, OneToFiveNameTheRootsAndAnyOtherIsTheCurrentUser) {
  const std::vector<std::pair<int, RegistryRoot>> cases = {
      {1, RegistryRoot::ClassesRoot},  {2, RegistryRoot::CurrentConfig}, {3, RegistryRoot::CurrentUser},
      {4, RegistryRoot::LocalMachine}, {5, RegistryRoot::Users},         {0, RegistryRoot::CurrentUser},
      {6, RegistryRoot::CurrentUser},  {-1, RegistryRoot::CurrentUser},  {1000, RegistryRoot::CurrentUser},
  };
  for (const auto& [code, root] : cases) {
    SCOPED_TRACE(code);
    FakeRegistry registry;
    WriteRegistryValue(registry, code, "Key\\Name", "v");
    ASSERT_EQ(registry.writes.size(), 1u);
    EXPECT_EQ(registry.writes[0].root, root);
  }
}

TEST(SetPortalHomePage, WritesThePortalAsStartPageAndConfirmsEvenWhenTheWriteFails) {
  for (const bool written : {true, false}) {
    SCOPED_TRACE(written);
    FakeRegistry registry;
    registry.writeResult = written;
    testing::FakeMessageBox messageBox;
    SetPortalHomePage(registry, messageBox);
    const std::vector<RegistryWrite> expected = {{RegistryRoot::CurrentUser, "Software\\Microsoft\\Internet Explorer\\Main",
                                                  "Start Page", std::string(PortalAddress)}};
    EXPECT_EQ(registry.writes, expected);
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].text, "设置成功！");
    EXPECT_EQ(messageBox.shown[0].title, "成功");
    EXPECT_EQ(messageBox.shown[0].flags, 64u);
  }
}

struct TrimCase {
  const char* name;
  std::string path, section, key;
  bool read;  // false: the file is not touched
  std::string readPath, readSection, readKey;
  friend void PrintTo(const TrimCase& c, std::ostream* os) { *os << c.name; }
};

class ProfileTextTrim : public ::testing::TestWithParam<TrimCase> {};

TEST_P(ProfileTextTrim, SkipsLeadingBlanksAndReadsNothingForAnEmptyText) {
  const TrimCase& c = GetParam();
  FakeProfileFiles profiles;
  profiles.Set(c.readPath, c.readSection, c.readKey, "1");
  const std::string value = ReadProfileText(profiles, c.path, c.section, c.key);
  if (c.read) {
    EXPECT_EQ(value, "1");
    EXPECT_EQ(profiles.reads, (std::vector<ProfileEntry>{{c.readPath, c.readSection, c.readKey, ""}}));
  } else {
    EXPECT_EQ(value, "");
    EXPECT_TRUE(profiles.reads.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ProfileTextTrim,
    ::testing::Values(
        TrimCase{"AsGiven", "C:\\WINDOWS\\time.ini", "time_广告", "time_广告1", true, "C:\\WINDOWS\\time.ini",
                 "time_广告", "time_广告1"},
        TrimCase{"LeadingSpaces", "  C:\\a.ini", "   s", " k", true, "C:\\a.ini", "s", "k"},
        TrimCase{"ControlBytes", "\t\r\n\x01\x1F C:\\a.ini", "\x0Bs", "\x1Ak", true, "C:\\a.ini", "s", "k"},
        // Only leading bytes go; 0x7F and a full-width space (A1 A1) are not blanks.
        TrimCase{"InnerAndTrailingKept", " C:\\a b.ini ", "s ", "\x7Fk", true, "C:\\a b.ini ", "s ", "\x7Fk"},
        TrimCase{"FullWidthSpaceKept", "C:\\a.ini", "\xA1\xA1s", "k", true, "C:\\a.ini", "\xA1\xA1s", "k"},
        TrimCase{"AllSpacePath", "    ", "s", "k", false, "", "s", "k"},
        TrimCase{"AllBlankSection", "C:\\a.ini", " \t\x01", "k", false, "C:\\a.ini", "", "k"},
        TrimCase{"AllSpaceKey", "C:\\a.ini", "s", "  ", false, "C:\\a.ini", "s", ""},
        TrimCase{"EmptyKey", "C:\\a.ini", "s", "", false, "C:\\a.ini", "s", ""}),
    [](const ::testing::TestParamInfo<TrimCase>& info) { return std::string(info.param.name); });

TEST(ReadProfileText, GivesTheValueAsStoredAndEmptyWhenMissing) {
  FakeProfileFiles profiles;
  profiles.Set("C:\\a.ini", "s", "k", " 01 ");
  EXPECT_EQ(ReadProfileText(profiles, "C:\\a.ini", "s", "k"), " 01 ");
  EXPECT_EQ(ReadProfileText(profiles, "C:\\a.ini", "s", "other"), "");
}

TEST(WriteProfileText, PassesEveryTextUntrimmedAndGivesThePlatformsResult) {
  for (const bool result : {true, false}) {
    FakeProfileFiles profiles;
    profiles.writeResult = result;
    EXPECT_EQ(WriteProfileText(profiles, " C:\\a.ini", " s", " k", " 1"), result);
    EXPECT_EQ(profiles.writes, (std::vector<ProfileEntry>{{" C:\\a.ini", " s", " k", " 1"}}));
  }
}

TEST(OpenAddress, OpensWithShowNormalOwnedByTheBrowserWindowWhenThereIsOne) {
  FakeShell shell;
  shell.openResult = 2;  // a failure, which is not reported
  OpenAddress(shell, "http://a/");
  shell.topLevelWindows["Microsoft Internet Explorer - 首页"] = 7;  // not an exact title
  OpenAddress(shell, "http://b/");
  shell.topLevelWindows["Microsoft Internet Explorer"] = 9;
  OpenAddress(shell, "http://c/");
  EXPECT_EQ(shell.calls, (std::vector<testing::ShellCall>{{"open", 0, "http://a/", ShellShow::ShowNormal},
                                                          {"open", 0, "http://b/", ShellShow::ShowNormal},
                                                          {"open", 9, "http://c/", ShellShow::ShowNormal}}));
}

}  // namespace
}  // namespace tessivo::settings
