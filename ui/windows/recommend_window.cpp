// The layout of RecommendWindow (controls in creation order, which is also the stacking order)
// and its two handlers.
#include "ui/windows/recommend_window.h"

#include <string>

#include "platform/platform.h"
#include "settings/home_page.h"
#include "settings/portal.h"
#include "settings/preferences.h"
#include "ui/window_model.h"
#include "ui/windows/main_window.h"
#include "ui/windows/layout.h"
#include "ui/windows/maker.h"

namespace tessivo::ui {
namespace {

// Every control lies directly in the window; the buttons and the radio button take the focus.
ControlDefinition Control(std::string_view name, ControlKind kind, Rect rect, std::string_view text) {
  ControlDefinition c = MakeControl(name, kind, "", rect, text);
  c.tabStop = kind == ControlKind::PushButton || kind == ControlKind::RadioButton;
  return c;
}

// Every link here is blue, red under the mouse, and holds a web address.
ControlDefinition Link(std::string_view name, Rect rect, std::string_view text, std::string_view address) {
  return MakeWebLink(name, "", rect, text, address, kBlue, kRed);
}

std::string ReadPreference(const Platform& platform) {
  return settings::ReadProfileText(platform.profiles, settings::kPreferenceFile, settings::kPreferenceSection,
                                   settings::kPreferenceKey);
}

}  // namespace

WindowDefinition RecommendWindowDefinition() {
  WindowDefinition w;
  w.name = std::string(kRecommendWindow);
  WindowSettings& s = w.settings;
  // No caption and no system menu: built without a title bar. The created handler sets the
  // caption, which gives it one inside the same outer size.
  s.caption = "";
  s.outerSize = {304, 176};
  s.startPosition = StartPosition::CenterScreen;
  s.systemMenu = false;
  s.minimizeButton = false;
  s.maximizeButton = false;
  s.taskbarButton = false;  // owned by MainWindow in any case
  s.initiallyVisible = true;
  s.enterMovesFocus = true;
  s.escapeCloses = false;
  s.dragAnywhere = true;
  s.keepActiveTitleBar = true;
  s.createdHandler = std::string(kRecommendWindowCreated);

  ControlDefinition closeButton = Control(kRecommendCloseButton, ControlKind::PushButton, {205, 112, 56, 24}, "关闭");
  closeButton.clickHandler = std::string(kRecommendWindowClose);

  ControlDefinition radio = Control(kDoNotShowAgainRadio, ControlKind::RadioButton, {64, 117, 128, 16}, "以后不再提示本窗口");
  radio.checked = false;

  ControlDefinition portalLink = Link("超级链接框4", {8, 12, 208, 16}, "2345网址导航 - 中国最好的网址导航", PortalAddress);
  // No caption: these two show their addresses.
  ControlDefinition tencentLink = Link("超级链接框3", {90, 82, 167, 16}, "", kMakerTencentMicroblog);
  ControlDefinition sinaLink = Link("超级链接框2", {86, 61, 167, 16}, "", kMakerMicroblog);
  ControlDefinition microblogCaption = Control("标签2", ControlKind::Label, {24, 59, 64, 16}, "作者微博：");
  ControlDefinition blogLink = Link("超级链接框1", {84, 41, 152, 16}, kMakerBlog, kMakerBlogAddress);
  ControlDefinition blogCaption = Control("标签1", ControlKind::Label, {24, 41, 64, 16}, "作者博客：");

  ControlDefinition homePageButton = Control(kHomePageButton, ControlKind::PushButton, {225, 8, 56, 24}, "设为首页");
  homePageButton.clickHandler = std::string(kSetPortalHomePage);

  w.controls = {closeButton,      radio,    portalLink,  tencentLink,   sinaLink,
                microblogCaption, blogLink, blogCaption, homePageButton};
  return w;
}

void OnRecommendWindowCreated(WindowModel& model, const Platform& platform) {
  model.SetCaption(kRecommendWindow, "", kRecommendWindowCaption);
  if (ReadPreference(platform) == settings::kRecommendationHidden) {
    // Destroyed by the running load before it is ever shown; MainWindow is never disabled.
    model.UnloadWindow(kRecommendWindow);
    return;
  }
  // A second reading decides the explicit show. The layout shows the window after this handler
  // in any case, so it appears exactly when the first reading was not "1".
  if (ReadPreference(platform) != settings::kRecommendationHidden) model.SetVisible(kRecommendWindow, true);
}

void OnRecommendWindowClose(WindowModel& model, const Platform& platform) {
  const bool hide = model.GetChecked(kRecommendWindow, kDoNotShowAgainRadio) == 1;
  settings::WriteProfileText(platform.profiles, settings::kPreferenceFile, settings::kPreferenceSection,
                             settings::kPreferenceKey,
                             hide ? settings::kRecommendationHidden : settings::kRecommendationShown);
  settings::OpenAddress(platform.shell, PortalAddress);
  model.UnloadWindow(kRecommendWindow);
}

}  // namespace tessivo::ui
