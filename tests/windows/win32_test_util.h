// Reading windows back in the Windows tests: texts, handles and rectangles as Win32 gives them.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/win32/code_page.h"
#include "platform/window_system.h"
#include "ui/window_definition.h"

namespace tessivo::win32::test_util {

// A code page 936 text as the window shows it.
inline std::wstring Wide(std::string_view text) { return CodePageToWide(kTextCodePage, text); }

inline std::wstring TextOf(HWND window) {
  wchar_t buffer[512] = {};
  ::GetWindowTextW(window, buffer, 512);
  return buffer;
}

inline HWND Hwnd(UiHandle handle) { return reinterpret_cast<HWND>(handle); }

// A window's rectangle relative to the client area of `container`.
inline ui::Rect RectIn(HWND window, HWND container) {
  RECT r;
  ::GetWindowRect(window, &r);
  ::MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace tessivo::win32::test_util
