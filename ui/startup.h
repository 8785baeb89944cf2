// Start-up: the program from its first step to its exit code. Prepares the user-interface
// thread, loads the start window, runs the main loop until the last window has gone, and shuts
// down.
#pragma once

#include <string_view>

namespace tessivo {
class MessageBoxService;
class ProcessServices;
}  // namespace tessivo

namespace tessivo::ui {

class WindowModel;

// What the error box says when the start window cannot be created.
inline constexpr std::string_view kStartFailureText = "无法创建主窗口，程序将退出。";
inline constexpr std::string_view kStartFailureTitle = "错误";
inline constexpr int kStartFailureExitCode = -1;

// Runs the program and returns its exit code: the quit request's code (0) when the last window
// has gone, or kStartFailureExitCode after the error box when `startWindow` cannot be created.
// The window definitions and their handlers are registered in `model` by the caller.
//
// The object model not opening does not stop the program: its windows do not need it, only the
// HTTP request object of a synchronisation, which then cannot be created, and a
// synchronisation fails as it does without a network. It is closed at the end only if it was
// opened.
int RunProgram(ProcessServices& process, WindowModel& model, MessageBoxService& messageBox,
               std::string_view startWindow);

}  // namespace tessivo::ui
