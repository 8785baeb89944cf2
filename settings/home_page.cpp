// The browser's start page and opening addresses.
#include "settings/home_page.h"

#include "platform/message_box.h"
#include "platform/shell.h"
#include "settings/portal.h"
#include "text/cp936.h"

namespace tessivo::settings {

RegistryRoot RegistryRootFromCode(int code) {
  switch (code) {
    case 1: return RegistryRoot::ClassesRoot;
    case 2: return RegistryRoot::CurrentConfig;
    case 3: return RegistryRoot::CurrentUser;
    case 4: return RegistryRoot::LocalMachine;
    case 5: return RegistryRoot::Users;
    default: return RegistryRoot::CurrentUser;
  }
}

RegistryValuePath SplitRegistryPath(std::string_view path) {
  const std::size_t backslash = text::FindLast(path, '\\');
  if (backslash == std::string_view::npos) return {"", std::string(path)};
  return {std::string(path.substr(0, backslash)), std::string(path.substr(backslash + 1))};
}

bool WriteRegistryValue(Registry& registry, int rootCode, std::string_view path, std::string_view value) {
  const RegistryValuePath split = SplitRegistryPath(path);
  return registry.WriteStringValue(RegistryRootFromCode(rootCode), split.keyPath, split.valueName, value);
}

void SetPortalHomePage(Registry& registry, MessageBoxService& messageBox) {
  WriteRegistryValue(registry, kStartPageRootCode, kStartPagePath, PortalAddress);
  messageBox.ShowMessageBox(kHomePageSetText, kMessageBoxIconInformation, kHomePageSetTitle);
}

void OpenAddress(Shell& shell, std::string_view address) {
  const UiHandle owner = shell.FindTopLevelWindow(kBrowserWindowTitle);
  shell.ShellOpen(owner, address, ShellShow::ShowNormal);
}

}  // namespace tessivo::settings
