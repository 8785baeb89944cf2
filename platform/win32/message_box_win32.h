// Message boxes through the Windows user interface.
#pragma once

#include "platform/message_box.h"

namespace tessivo::win32 {

// Boxes without an owner window, shown with MessageBoxStyle(flags).
class Win32MessageBox final : public MessageBoxService {
 public:
  void ShowMessageBox(std::string_view text, std::uint32_t flags, std::string_view title) override;
};

}  // namespace tessivo::win32
