// The browser's start page and opening an address in the browser. Making the portal the start
// page is one registry value, written through the ANSI registry functions byte for byte.
#pragma once

#include <string>
#include <string_view>

#include "platform/registry.h"

namespace tessivo {
class MessageBoxService;
class Shell;
}  // namespace tessivo

namespace tessivo::settings {

// Internet Explorer's start page: a value under HKEY_CURRENT_USER (root code 3).
inline constexpr int kStartPageRootCode = 3;
inline constexpr std::string_view kStartPagePath = "Software\\Microsoft\\Internet Explorer\\Main\\Start Page";

// The confirmation that follows every press of a home-page button.
inline constexpr std::string_view kHomePageSetText = "设置成功！";
inline constexpr std::string_view kHomePageSetTitle = "成功";

// The browser window that owns whatever the shell shows while it opens an address.
inline constexpr std::string_view kBrowserWindowTitle = "Microsoft Internet Explorer";

// The root of a root code: 1 classes root, 2 current config, 3 current user, 4 local machine,
// 5 users; any other code means the current user.
RegistryRoot RegistryRootFromCode(int code);

// A registry path split at its last backslash into the key path and the value name. The split
// walks the path as code page 936, so the trail byte of a double-byte character (which can be
// 5C hex) is never taken for a backslash. Without a backslash the key path is empty (the root
// itself) and the whole path is the value name.
struct RegistryValuePath {
  std::string keyPath;
  std::string valueName;
  friend bool operator==(const RegistryValuePath&, const RegistryValuePath&) = default;
};
RegistryValuePath SplitRegistryPath(std::string_view path);

// Writes `value` as a string value at `path` under the root of `rootCode`, creating the key
// when it is missing. True when the value was written.
bool WriteRegistryValue(Registry& registry, int rootCode, std::string_view path, std::string_view value);

// Makes PortalAddress the browser's start page and confirms it. The confirmation follows every
// press, whether or not the value could be written: the user has no other way to act on a
// failure, and the press is harmless to repeat.
void SetPortalHomePage(Registry& registry, MessageBoxService& messageBox);

// Opens an address with the program registered for it (the default browser for an http
// address). A failure is not reported.
void OpenAddress(Shell& shell, std::string_view address);

}  // namespace tessivo::settings
