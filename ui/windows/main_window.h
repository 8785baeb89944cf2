// MainWindow: the start window. It shows the live clock and carries the sync and home-page
// buttons and the links to the portal and to Tessivo's pages.
#pragma once

#include <string_view>

#include "ui/window_definition.h"

namespace tessivo::ui {

inline constexpr std::string_view kMainWindow = "MainWindow";

// Unit names that code refers to.
inline constexpr std::string_view kClockLabel = "标签8";
inline constexpr std::string_view kSyncButton = "同步按钮";
inline constexpr std::string_view kHomePageButton = "设置IE首页";
inline constexpr std::string_view kClockTimer = "时钟1";

// Handler names the layout binds.
inline constexpr std::string_view kMainWindowCreated = "MainWindow.Created";
inline constexpr std::string_view kMainWindowTick = "MainWindow.Tick";
inline constexpr std::string_view kSyncProcedure = "SyncProcedure";
inline constexpr std::string_view kSetPortalHomePage = "SetPortalHomePage";

// A little under a second, so that the clock never skips a second it could have shown.
inline constexpr int kClockTickMs = 999;

WindowDefinition MainWindowDefinition();

}  // namespace tessivo::ui
