// Message boxes: modal to the program, no owner window, one OK button.
#pragma once

#include <cstdint>
#include <string_view>

namespace tessivo {

inline constexpr std::uint32_t kMessageBoxIconError = 0x10;        // MB_ICONERROR
inline constexpr std::uint32_t kMessageBoxIconInformation = 0x40;  // MB_ICONINFORMATION
inline constexpr std::uint32_t kMessageBoxSystemModal = 0x1000;    // MB_SYSTEMMODAL
inline constexpr std::uint32_t kMessageBoxTaskModal = 0x2000;      // MB_TASKMODAL

// The style a box is shown with: the flags, plus task-modal unless they ask for system-modal.
constexpr std::uint32_t MessageBoxStyle(std::uint32_t flags) {
  return (flags & kMessageBoxSystemModal) ? flags : flags | kMessageBoxTaskModal;
}

class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;

  // Shows a box with the code page 936 text and title and returns when the user has closed it.
  // The button pressed is of no interest to the program.
  virtual void ShowMessageBox(std::string_view text, std::uint32_t flags, std::string_view title) = 0;
};

}  // namespace tessivo
