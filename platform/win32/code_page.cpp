// Conversions between code page texts and UTF-16.
#include "platform/win32/code_page.h"

#include <climits>

namespace tessivo::win32 {

std::string WideToCodePage(UINT codePage, std::wstring_view text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return std::string();
  const int source = static_cast<int>(text.size());
  const int length =
      ::WideCharToMultiByte(codePage, 0, text.data(), source, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::string();
  std::string result(static_cast<std::size_t>(length), '\0');
  if (::WideCharToMultiByte(codePage, 0, text.data(), source, result.data(), length, nullptr,
                            nullptr) != length) {
    return std::string();
  }
  return result;
}

std::wstring CodePageToWide(UINT codePage, std::string_view text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return std::wstring();
  const int source = static_cast<int>(text.size());
  const int length = ::MultiByteToWideChar(codePage, 0, text.data(), source, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring result(static_cast<std::size_t>(length), L'\0');
  if (::MultiByteToWideChar(codePage, 0, text.data(), source, result.data(), length) != length) {
    return std::wstring();
  }
  return result;
}

}  // namespace tessivo::win32
