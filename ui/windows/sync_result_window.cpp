// The layout of SyncResultWindow: settings and controls in creation order (which is also the
// stacking order among siblings). It has no handler of its own: the sync procedure fills it.
#include "ui/windows/sync_result_window.h"

#include <string>
#include <utility>

#include "ui/windows/layout.h"
#include "ui/windows/maker.h"
#include "ui/windows/share_links.h"

namespace tessivo::ui {
namespace {

constexpr std::string_view kGroupBox = "分组框1";

// No tab stops anywhere: the window has nothing to type into or press with the keyboard.
ControlDefinition Control(std::string_view name, ControlKind kind, std::string_view container, Rect rect,
                          std::string_view text) {
  return MakeControl(name, kind, container, rect, text);
}

// Every label sits in the group box: black on button face, one line, left-aligned, vertically
// centred, no border, the default GUI font.
ControlDefinition Label(std::string_view name, Rect rect, std::string_view text) {
  ControlDefinition c = Control(name, ControlKind::Label, kGroupBox, rect, text);
  c.textColor = kBlack;
  c.border = Border::None;
  c.horizontalAlignment = HorizontalAlignment::Left;
  c.verticalAlignment = VerticalAlignment::Center;
  return c;
}

// Blue, red under the mouse, framed, in YaHei at a 12-pixel character height.
ControlDefinition ShareLink(std::string_view name, Rect rect, std::string_view text, std::string address) {
  ControlDefinition c = MakeWebLink(name, kGroupBox, rect, text, address, kBlue, kRed);
  c.border = Border::SingleLine;
  c.font = YaHei12();
  return c;
}

}  // namespace

WindowDefinition SyncResultWindowDefinition() {
  WindowDefinition w;
  w.name = std::string(kSyncResultWindow);
  WindowSettings& s = w.settings;
  // The same title whatever the outcome: the window reports the run, not its success.
  s.caption = "同步成功";
  s.outerSize = {298, 143};
  s.startPosition = StartPosition::CenterScreen;
  s.systemMenu = true;
  s.minimizeButton = false;
  s.maximizeButton = false;
  s.taskbarButton = false;  // MainWindow owns it
  s.alwaysOnTop = false;
  s.initiallyVisible = true;
  s.enterMovesFocus = false;
  s.escapeCloses = true;
  s.dragAnywhere = false;
  s.keepActiveTitleBar = false;

  ControlDefinition groupBox = Control(kGroupBox, ControlKind::GroupBox, "", {22, 6, 255, 98}, "成功");
  groupBox.textColor = kRed;  // the caption; the frame is the system's

  w.controls = {
      Label("标签8", {13, 75, 53, 15}, "分享一下;"),
      ShareLink("超级链接框2", {159, 74, 91, 16}, "分享自新浪微博", SinaShareAddress(kMakerSite)),
      ShareLink("超级链接框1", {68, 74, 90, 16}, "分享自腾讯微博", TencentShareAddress(kMakerSite)),
      groupBox,
      Label(kTimeTakenLabel, {59, 55, 80, 15}, ""),
      Label("标签6", {13, 55, 32, 15}, "用时:"),
      Label(kTimeAfterLabel, {59, 37, 168, 15}, ""),
      Label(kTimeBeforeLabel, {59, 19, 168, 15}, ""),
      Label("标签3", {13, 38, 40, 15}, "同步后:"),
      Label("标签2", {13, 18, 40, 15}, "同步前:"),
  };
  return w;
}

}  // namespace tessivo::ui
