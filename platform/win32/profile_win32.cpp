// Profile files with GetPrivateProfileStringA and WritePrivateProfileStringA.
#include "platform/win32/profile_win32.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tessivo::win32 {

std::string Win32ProfileFiles::ReadString(std::string_view path, std::string_view section, std::string_view key) {
  const std::string file(path);
  const std::string name(section);
  const std::string entry(key);
  std::vector<char> buffer(kProfileReadBufferBytes, '\0');
  // No default: a missing file, section or key gives the empty text. A longer value is cut to
  // the buffer, its terminating zero included.
  const DWORD length = ::GetPrivateProfileStringA(name.c_str(), entry.c_str(), nullptr, buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), file.c_str());
  return std::string(buffer.data(), std::min<std::size_t>(length, buffer.size() - 1));
}

bool Win32ProfileFiles::WriteString(std::string_view path, std::string_view section, std::string_view key,
                                    std::string_view value) {
  const std::string file(path);
  const std::string name(section);
  const std::string entry(key);
  const std::string text(value);
  return ::WritePrivateProfileStringA(name.c_str(), entry.c_str(), text.c_str(), file.c_str()) != FALSE;
}

}  // namespace tessivo::win32
