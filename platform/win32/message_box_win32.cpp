// Message boxes through the Windows user interface.
#include "platform/win32/message_box_win32.h"

#include <windows.h>

#include <string>

#include "platform/win32/code_page.h"

namespace tessivo::win32 {

// Our texts are code page 936 whatever the system's ANSI code page is, so they are widened
// with that code page and shown through the wide function: the box then reads right in any
// display language.
void Win32MessageBox::ShowMessageBox(std::string_view text, std::uint32_t flags,
                                     std::string_view title) {
  const std::wstring wideText = CodePageToWide(kTextCodePage, text);
  const std::wstring wideTitle = CodePageToWide(kTextCodePage, title);
  ::MessageBoxW(nullptr, wideText.c_str(), wideTitle.c_str(), MessageBoxStyle(flags));
}

}  // namespace tessivo::win32
