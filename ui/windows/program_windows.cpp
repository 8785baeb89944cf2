// Binds the handlers of the program's windows to their names.
#include "ui/windows/program_windows.h"

#include <string>

#include "datetime/date_time.h"
#include "platform/platform.h"
#include "ui/window_model.h"
#include "settings/home_page.h"
#include "sync/sync_procedure.h"
#include "ui/windows/main_window.h"
#include "ui/windows/recommend_window.h"
#include "ui/windows/sync_result_window.h"

namespace tessivo::ui {
namespace {

// The clock label shows the local time in its text form.
void ShowCurrentTime(WindowModel& model, const Platform& platform) {
  model.SetCaption(kMainWindow, kClockLabel, DateTimeToText(CurrentDateTime(platform.clock)));
}

}  // namespace

void RegisterProgramWindows(WindowModel& model, const Platform& platform) {
  model.RegisterWindow(MainWindowDefinition());
  model.RegisterWindow(RecommendWindowDefinition());
  model.RegisterWindow(SyncResultWindowDefinition());

  // The clock is filled before the first show; then the recommendation, modally over
  // MainWindow, which stays hidden and disabled until it has gone.
  model.RegisterHandler(std::string(kMainWindowCreated), [&model, &platform] {
    ShowCurrentTime(model, platform);
    model.LoadWindow(kRecommendWindow, kMainWindow, true);
  });
  model.RegisterHandler(std::string(kMainWindowTick), [&model, &platform] { ShowCurrentTime(model, platform); });
  // The sync button: opens SyncResultWindow over MainWindow and reports the run there.
  model.RegisterHandler(std::string(kSyncProcedure), [&model, &platform] { SyncProcedure(model, platform); });
  // The home-page button of both windows.
  model.RegisterHandler(std::string(kSetPortalHomePage),
                        [&platform] { settings::SetPortalHomePage(platform.registry, platform.messageBox); });
  model.RegisterHandler(std::string(kRecommendWindowCreated),
                        [&model, &platform] { OnRecommendWindowCreated(model, platform); });
  model.RegisterHandler(std::string(kRecommendWindowClose),
                        [&model, &platform] { OnRecommendWindowClose(model, platform); });
}

}  // namespace tessivo::ui
