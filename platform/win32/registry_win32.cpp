// Registry reads and writes with RegOpenKeyExA and friends.
#include "platform/win32/registry_win32.h"

#include <windows.h>

#include <array>
#include <string>

#include "platform/win32/unique_handle.h"

namespace tessivo::win32 {
namespace {

HKEY RootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentConfig: return HKEY_CURRENT_CONFIG;
    case RegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegistryRoot::Users: return HKEY_USERS;
  }
  return HKEY_CURRENT_USER;
}

}  // namespace

std::optional<std::string> Win32Registry::ReadDefaultValue(RegistryRoot root, std::string_view keyPath) {
  const std::string path(keyPath);
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(RootKey(root), path.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return std::nullopt;
  const RegistryKey key(opened);

  // A value longer than the buffer cannot be read (ERROR_MORE_DATA).
  std::array<char, kRegistryReadBufferBytes> buffer{};
  DWORD type = 0;
  DWORD size = static_cast<DWORD>(buffer.size());
  if (::RegQueryValueExA(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  // The stored size may or may not count a terminating zero; the text ends at the first one.
  const std::string_view stored(buffer.data(), size);
  return std::string(stored.substr(0, stored.find('\0')));
}

bool Win32Registry::WriteStringValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                     std::string_view value) {
  const std::string path(keyPath);
  const std::string name(valueName);
  const std::string data(value);
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(RootKey(root), path.c_str(), 0, KEY_WRITE, &opened) != ERROR_SUCCESS) {
    // Creates the missing keys above it too.
    opened = nullptr;
    if (::RegCreateKeyA(RootKey(root), path.c_str(), &opened) != ERROR_SUCCESS) return false;
  }
  const RegistryKey key(opened);  // closed after a failed write too
  // REG_SZ: the bytes and the terminating zero.
  return ::RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace tessivo::win32
