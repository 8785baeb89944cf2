// SyncResultWindow: the report of one press of the sync button. The time before and after the
// synchronisation, how long it took, and two links to share the news on the microblogs.
#pragma once

#include <string_view>

#include "ui/window_definition.h"

namespace tessivo::ui {

inline constexpr std::string_view kSyncResultWindow = "SyncResultWindow";

// The labels the sync procedure writes.
inline constexpr std::string_view kTimeBeforeLabel = "标签4";
inline constexpr std::string_view kTimeAfterLabel = "标签5";
inline constexpr std::string_view kTimeTakenLabel = "标签7";

WindowDefinition SyncResultWindowDefinition();

}  // namespace tessivo::ui
