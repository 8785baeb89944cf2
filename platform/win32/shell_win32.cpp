// The shell on Win32. Targets and command lines go through the ANSI functions as code page
// 936 bytes, so an address is handed on byte for byte as the program holds it.
#include "platform/win32/shell_win32.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace tessivo::win32 {
namespace {

int ShowCommandOf(ShellShow show) { return show == ShellShow::ShowNormal ? SW_SHOWNORMAL : SW_SHOW; }

}  // namespace

std::intptr_t Win32Shell::ShellOpen(UiHandle owner, std::string_view target, ShellShow show) {
  const std::string file(target);
  const HINSTANCE result = ::ShellExecuteA(reinterpret_cast<HWND>(owner), "open", file.c_str(), nullptr, nullptr,
                                           ShowCommandOf(show));
  return reinterpret_cast<std::intptr_t>(result);
}

std::intptr_t Win32Shell::RunCommandLine(std::string_view commandLine, ShellShow show) {
  const std::string line(commandLine);
  return static_cast<std::intptr_t>(::WinExec(line.c_str(), static_cast<UINT>(ShowCommandOf(show))));
}

UiHandle Win32Shell::FindTopLevelWindow(std::string_view title) {
  const std::string text(title);
  return reinterpret_cast<UiHandle>(::FindWindowExA(nullptr, nullptr, nullptr, text.c_str()));
}

}  // namespace tessivo::win32
