// RecommendWindow: recommends the portal at start-up, modally over MainWindow, unless the user
// has asked not to see it again. It offers the portal as the browser's start page, links to the
// portal and to Tessivo's blog and microblogs, and remembers the "do not show again" choice in
// the preference file when it is closed.
#pragma once

#include <string_view>

#include "ui/window_definition.h"

namespace tessivo {
struct Platform;
}  // namespace tessivo

namespace tessivo::ui {

class WindowModel;

inline constexpr std::string_view kRecommendWindow = "RecommendWindow";
inline constexpr std::string_view kRecommendWindowCaption = "推荐";

// Unit names that code refers to.
inline constexpr std::string_view kRecommendCloseButton = "按钮2";
inline constexpr std::string_view kDoNotShowAgainRadio = "单选框1";

// Handler names the layout binds (the home-page button binds kSetPortalHomePage).
inline constexpr std::string_view kRecommendWindowCreated = "RecommendWindow.Created";
inline constexpr std::string_view kRecommendWindowClose = "RecommendWindow.Close";

WindowDefinition RecommendWindowDefinition();

// The created handler: gives the window its title and, when the preference says so, asks for
// its destruction before it is ever shown.
void OnRecommendWindowCreated(WindowModel& model, const Platform& platform);

// The close button: stores the radio button's state, opens the portal, closes the window.
void OnRecommendWindowClose(WindowModel& model, const Platform& platform);

}  // namespace tessivo::ui
