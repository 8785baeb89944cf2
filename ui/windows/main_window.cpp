// The layout of MainWindow: settings and controls in creation order (which is also the
// stacking order among siblings: an earlier control lies above a later one).
#include "ui/windows/main_window.h"

#include <string>

#include "settings/portal.h"
#include "ui/windows/layout.h"
#include "ui/windows/maker.h"

namespace tessivo::ui {
namespace {

constexpr std::string_view kGroupBox = "分组框1";

// Only the two buttons take the keyboard focus.
ControlDefinition Control(std::string_view name, ControlKind kind, std::string_view container, Rect rect,
                          std::string_view text) {
  ControlDefinition c = MakeControl(name, kind, container, rect, text);
  c.tabStop = kind == ControlKind::PushButton;
  return c;
}

}  // namespace

WindowDefinition MainWindowDefinition() {
  WindowDefinition w;
  w.name = std::string(kMainWindow);
  WindowSettings& s = w.settings;
  s.caption = "Tessivo时间同步器";
  s.outerSize = {347, 161};
  s.startPosition = StartPosition::CenterScreen;
  s.systemMenu = true;
  s.minimizeButton = true;
  s.maximizeButton = false;
  s.taskbarButton = true;
  s.initiallyVisible = true;
  s.enterMovesFocus = true;
  s.escapeCloses = false;
  s.dragAnywhere = true;
  s.keepActiveTitleBar = true;
  s.createdHandler = std::string(kMainWindowCreated);

  ControlDefinition siteLink = MakeWebLink("超级链接框3", "", {205, 108, 72, 8}, kMakerSiteName, kMakerHomePage, kRed, kBlue);

  ControlDefinition supportLabel = Control("标签3", ControlKind::Label, kGroupBox, {73, 41, 136, 16}, "↓点击支持Tessivo发展↓");
  supportLabel.textColor = kRed;
  supportLabel.border = Border::SingleLine;
  supportLabel.horizontalAlignment = HorizontalAlignment::Center;

  ControlDefinition homePageButton = Control(kHomePageButton, ControlKind::PushButton, kGroupBox, {254, 58, 56, 23}, "设为首页");
  homePageButton.clickHandler = std::string(kSetPortalHomePage);

  ControlDefinition portalLink =
      MakeWebLink("超级链接框4", kGroupBox, {13, 62, 237, 16}, "2345网址导航 - 中国最好的网址导航", PortalAddress, kBlue, kRed);

  ControlDefinition copyright = Control("标签2", ControlKind::Label, "", {156, 104, 179, 16}, kMakerCopyright);
  copyright.textColor = kRed;
  copyright.border = Border::SingleLine;

  ControlDefinition microblogLink = MakeWebLink("超级链接框2", "", {76, 104, 54, 16}, "官方微博", kMakerMicroblog, kBlue, kRed);
  microblogLink.border = Border::SingleLine;
  microblogLink.font = YaHei12();

  ControlDefinition homeLink = MakeWebLink("超级链接框1", "", {18, 104, 54, 16}, "官方网站", kMakerHomePage, kBlue, kRed);
  homeLink.border = Border::SingleLine;
  homeLink.font = YaHei12();

  ControlDefinition groupBox = Control(kGroupBox, ControlKind::GroupBox, "", {14, 7, 322, 89}, "同步");
  groupBox.textColor = kRed;

  ControlDefinition clock = Control(kClockLabel, ControlKind::Label, kGroupBox, {100, 15, 150, 15}, "");
  clock.textColor = kRed;

  ControlDefinition clockCaption = Control("标签1", ControlKind::Label, kGroupBox, {13, 15, 85, 15}, "当前系统时间：");

  ControlDefinition syncButton = Control(kSyncButton, ControlKind::PushButton, kGroupBox, {253, 10, 58, 22}, "同步");
  syncButton.clickHandler = std::string(kSyncProcedure);

  ControlDefinition timer = Control(kClockTimer, ControlKind::Timer, "", {}, "");
  timer.periodMs = kClockTickMs;
  timer.tickHandler = std::string(kMainWindowTick);

  w.controls = {siteLink,  supportLabel, homePageButton, portalLink, copyright, microblogLink,
                homeLink,  groupBox,     clock,          clockCaption, syncButton, timer};
  return w;
}

}  // namespace tessivo::ui
