// Start-up and shut-down.
#include "ui/startup.h"

#include "platform/message_box.h"
#include "platform/process.h"
#include "ui/window_model.h"

namespace tessivo::ui {

int RunProgram(ProcessServices& process, WindowModel& model, MessageBoxService& messageBox,
               std::string_view startWindow) {
  const bool objectModelOpen = process.InitializeObjectModel();
  process.EnterProgramFolder();
  model.CreateInvisibleOwner();

  // The start window's created event runs inside this load, and with it any modal window it
  // opens; the load returns when the start window has been shown.
  if (!model.LoadStartWindow(startWindow)) {
    // Nothing else of start-up runs: the process ends as soon as the box is dismissed, and
    // the apartment opened above goes with it.
    messageBox.ShowMessageBox(kStartFailureText, kMessageBoxIconError, kStartFailureTitle);
    return kStartFailureExitCode;
  }

  const int exitCode = model.RunMainLoop();

  // Shut-down: no handler may run once the apartment is closed.
  model.HoldEvents();
  if (objectModelOpen) process.UninitializeObjectModel();
  return exitCode;
}

}  // namespace tessivo::ui
