// The program's windows and handlers, registered with the window model in one place.
#pragma once

namespace tessivo {
struct Platform;
}  // namespace tessivo

namespace tessivo::ui {

class WindowModel;

// Registers every window definition and binds every handler they name.
void RegisterProgramWindows(WindowModel& model, const Platform& platform);

}  // namespace tessivo::ui
