// The shell: opening a file or address with the program associated with it, starting a
// command line, and finding a top-level window by its title.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/window_system.h"

namespace tessivo {

// How the started program's window is shown.
enum class ShellShow {
  Show,        // SW_SHOW
  ShowNormal,  // SW_SHOWNORMAL
};

// Results above this mean success, for ShellOpen and RunCommandLine alike.
inline constexpr std::intptr_t kShellSuccessAbove = 32;

class Shell {
 public:
  virtual ~Shell() = default;

  // The verb "open" on `target` (code page 936), no parameters, no directory; `owner` (or 0)
  // owns whatever the shell shows. The shell's result code.
  virtual std::intptr_t ShellOpen(UiHandle owner, std::string_view target, ShellShow show) = 0;

  // Starts a command line (code page 936). The result code.
  virtual std::intptr_t RunCommandLine(std::string_view commandLine, ShellShow show) = 0;

  // A top-level window whose title is exactly `title`, or 0.
  virtual UiHandle FindTopLevelWindow(std::string_view title) = 0;
};

}  // namespace tessivo
