// Conversions between code page texts and UTF-16, for the wide Windows functions.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tessivo::win32 {

// The code page of every text of this program, whatever the system's ANSI code page is.
inline constexpr UINT kTextCodePage = 936;

// Code page text to UTF-16; empty when it cannot be converted. Bytes that are no character of
// the code page become the system's default character rather than failing the whole text.
std::wstring CodePageToWide(UINT codePage, std::string_view text);

// UTF-16 to code page text; empty when it cannot be converted. Characters the code page lacks
// become its default character ('?').
std::string WideToCodePage(UINT codePage, std::wstring_view text);

}  // namespace tessivo::win32
