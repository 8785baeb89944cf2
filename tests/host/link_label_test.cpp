// Link labels: text and colour by state, hovering, opening the address and its fallback.
#include <gtest/gtest.h>

#include <string>

#include "tests/fakes/fake_shell.h"
#include "ui/link_label.h"

namespace tessivo::ui {
namespace {

using testing::FakeRegistry;
using testing::FakeShell;
using testing::ShellCall;

ControlDefinition WebLabel(std::string address, std::string caption = "官方网站") {
  ControlDefinition label;
  label.kind = ControlKind::LinkLabel;
  label.text = std::move(caption);
  label.webAddress = std::move(address);
  label.normalColor = Color{1, 1, 1};
  label.visitedColor = Color{2, 2, 2};
  label.hoverColor = Color{3, 3, 3};
  return label;
}

TEST(LinkLabel, TextIsTheCaptionOrElseTheAddress) {
  EXPECT_EQ(LinkLabelText(WebLabel("http://a.example/")), "官方网站");
  EXPECT_EQ(LinkLabelText(WebLabel("http://a.example/", "")), "http://a.example/");
  ControlDefinition mail = WebLabel("http://a.example/", "");
  mail.linkKind = -3;  // below 0 is e-mail
  mail.emailAddress = "dev@tessivo.example";
  EXPECT_EQ(LinkLabelText(mail), "dev@tessivo.example");
  EXPECT_EQ(LinkTarget(mail), "mailto:dev@tessivo.example");
  mail.linkKind = 7;  // above 1 is web
  EXPECT_EQ(LinkTarget(mail), "http://a.example/");
}

TEST(LinkLabel, ColourByState) {
  const ControlDefinition label = WebLabel("http://a.example/");
  EXPECT_EQ(LinkLabelTextColor(label, {false, false}), (Color{1, 1, 1}));
  EXPECT_EQ(LinkLabelTextColor(label, {false, true}), (Color{2, 2, 2}));
  EXPECT_EQ(LinkLabelTextColor(label, {true, false}), (Color{3, 3, 3}));
  EXPECT_EQ(LinkLabelTextColor(label, {true, true}), (Color{3, 3, 3}));
}

TEST(LinkLabel, HoveringTakesTheCaptureAndLetsGoOutside) {
  LinkLabelState state;
  MouseMoveResult r = OnLinkLabelMouseMove(state, true, false);
  EXPECT_TRUE(state.hovering);
  EXPECT_TRUE(r.repaint);
  EXPECT_EQ(r.capture, CaptureChange::Take);

  r = OnLinkLabelMouseMove(state, true, true);  // still inside: nothing to do
  EXPECT_FALSE(r.repaint);
  EXPECT_EQ(r.capture, CaptureChange::None);

  r = OnLinkLabelMouseMove(state, true, false);  // inside, but the capture was lost: take it again
  EXPECT_FALSE(r.repaint);
  EXPECT_EQ(r.capture, CaptureChange::Take);

  r = OnLinkLabelMouseMove(state, false, true);  // the move that leaves
  EXPECT_FALSE(state.hovering);
  EXPECT_TRUE(r.repaint);
  EXPECT_EQ(r.capture, CaptureChange::Release);
}

TEST(LinkLabel, PressOpensThroughTheShellWithNoOwner) {
  FakeShell shell;
  FakeRegistry registry;
  LinkLabelState state;
  const std::string longAddress = "http://share.example/share.php?title=" + std::string(700, 'x');
  EXPECT_TRUE(OnLinkLabelPress(state, WebLabel(longAddress), shell, registry));
  EXPECT_TRUE(state.visited);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0], (ShellCall{"open", 0, longAddress, ShellShow::Show}));  // passed whole
}

TEST(LinkLabel, EmptyAddressDoesNothing) {
  FakeShell shell;
  FakeRegistry registry;
  LinkLabelState state{false, true};
  EXPECT_FALSE(OnLinkLabelPress(state, WebLabel(""), shell, registry));
  EXPECT_FALSE(state.visited);
  EXPECT_TRUE(shell.calls.empty());
}

TEST(LinkLabel, FallbackThroughTheHtmAssociation) {
  FakeShell shell;
  shell.openResult = 31;  // SE_ERR_NOASSOC
  FakeRegistry registry;
  registry.defaultValues[{RegistryRoot::ClassesRoot, ".htm"}] = "htmlfile";
  registry.defaultValues[{RegistryRoot::ClassesRoot, "htmlfile\\shell\\open\\command"}] =
      "\"C:\\Program Files\\Browser\\browser.exe\" -nohome \"%1\"";
  LinkLabelState state;
  EXPECT_TRUE(OnLinkLabelPress(state, WebLabel("http://a.example/?time"), shell, registry));
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[1], (ShellCall{"run", 0, "\"C:\\Program Files\\Browser\\browser.exe\" -nohome  http://a.example/?time",
                                        ShellShow::Show}));

  shell.runResult = 2;  // the browser could not be started
  EXPECT_FALSE(OnLinkLabelPress(state, WebLabel("http://a.example/?time"), shell, registry));
  EXPECT_FALSE(state.visited);
}

TEST(LinkLabel, FallbackNeedsBothKeys) {
  FakeShell shell;
  shell.openResult = 2;
  FakeRegistry registry;
  LinkLabelState state;
  EXPECT_FALSE(OnLinkLabelPress(state, WebLabel("http://a.example/"), shell, registry));
  registry.defaultValues[{RegistryRoot::ClassesRoot, ".htm"}] = "htmlfile";
  EXPECT_FALSE(OnLinkLabelPress(state, WebLabel("http://a.example/"), shell, registry));
  EXPECT_EQ(shell.calls.size(), 2u);  // two shell opens, nothing run
}

TEST(FallbackCommandLine, CutAtThePlaceholder) {
  const struct {
    const char* command;
    const char* line;
  } cases[] = {
      {"browser.exe \"%1\"", "browser.exe  T"},           // quoted placeholder dropped, two spaces
      {"browser.exe %1", "browser.exe  T"},               // bare placeholder
      {"browser.exe -a %1 -b \"%1\"", "browser.exe -a %1 -b  T"},  // the quoted one wins
      {"browser.exe", "browser.exe T"},                   // none: the whole command
      {"", " T"},
      {"浏览器.exe \"%1\"", "浏览器.exe  T"},
  };
  for (const auto& c : cases) EXPECT_EQ(FallbackCommandLine(c.command, "T"), c.line) << c.command;
}

TEST(FallbackCommandLine, NeverLongerThanTheBuffer) {
  const std::string command = "browser.exe \"%1\"";  // cut to 12 bytes
  // 12 + 1 + target + terminating zero must fit 520 bytes.
  EXPECT_TRUE(FallbackCommandLine(command, std::string(506, 'a')).has_value());
  EXPECT_EQ(FallbackCommandLine(command, std::string(506, 'a'))->size(), 519u);
  EXPECT_FALSE(FallbackCommandLine(command, std::string(507, 'a')).has_value());
  EXPECT_FALSE(FallbackCommandLine(std::string(600, 'c'), "T").has_value());
  EXPECT_FALSE(FallbackCommandLine(command, std::string(700, 'a')).has_value());
}

}  // namespace
}  // namespace tessivo::ui
