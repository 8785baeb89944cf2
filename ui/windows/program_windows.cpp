// Binds the handlers of the program's windows to their names.
#include "ui/windows/program_windows.h"

#include <string>

#include "datetime/date_time.h"
#include "platform/platform.h"
#include "ui/window_model.h"
#include "ui/windows/main_window.h"

namespace tessivo::ui {
namespace {

// The clock label shows the local time in its text form.
void ShowCurrentTime(WindowModel& model, const Platform& platform) {
  model.SetCaption(kMainWindow, kClockLabel, DateTimeToText(CurrentDateTime(platform.clock)));
}

}  // namespace

void RegisterProgramWindows(WindowModel& model, const Platform& platform) {
  model.RegisterWindow(MainWindowDefinition());

  model.RegisterHandler(std::string(kMainWindowCreated), [&model, &platform] { ShowCurrentTime(model, platform); });
  model.RegisterHandler(std::string(kMainWindowTick), [&model, &platform] { ShowCurrentTime(model, platform); });
}

}  // namespace tessivo::ui
