// The program's entry: the Win32 services wired to the portable program once.
#include <windows.h>

#include "platform/fatal_error.h"
#include "platform/platform.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/http_request_win32.h"
#include "platform/win32/message_box_win32.h"
#include "platform/win32/process_win32.h"
#include "platform/win32/profile_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/window_system_win32.h"
#include "ui/startup.h"
#include "ui/window_model.h"
#include "ui/windows/main_window.h"
#include "ui/windows/program_windows.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace tessivo;
  win32::Win32Clock clock;
  win32::Win32MessageBox messageBox;
  win32::WinHttpRequestFactory http;
  win32::Win32Shell shell;
  win32::Win32Registry registry;
  win32::Win32Process process;
  win32::Win32ProfileFiles profiles;
  SetFatalErrorMessageBox(&messageBox);

  win32::Win32WindowSystem windows(instance, shell, registry);
  const Platform platform{clock, messageBox, http, shell, registry, profiles};
  ui::WindowModel model(windows);
  ui::RegisterProgramWindows(model, platform);
  return ui::RunProgram(process, model, messageBox, ui::kMainWindow);
}
