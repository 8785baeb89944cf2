// The shell on Win32: ShellExecute, WinExec and FindWindowEx.
#pragma once

#include "platform/shell.h"

namespace tessivo::win32 {

class Win32Shell : public Shell {
 public:
  std::intptr_t ShellOpen(UiHandle owner, std::string_view target, ShellShow show) override;
  std::intptr_t RunCommandLine(std::string_view commandLine, ShellShow show) override;
  UiHandle FindTopLevelWindow(std::string_view title) override;
};

}  // namespace tessivo::win32
