// A message box for tests: records what would have been shown.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_box.h"

namespace tessivo::testing {

struct ShownMessageBox {
  std::string text;
  std::uint32_t flags = 0;
  std::string title;
};

class FakeMessageBox : public MessageBoxService {
 public:
  std::vector<ShownMessageBox> shown;
  std::function<void()> whileShown;  // runs while the "box" is open, e.g. to let time pass

  void ShowMessageBox(std::string_view text, std::uint32_t flags, std::string_view title) override {
    shown.push_back({std::string(text), flags, std::string(title)});
    if (whileShown) whileShown();
  }
};

}  // namespace tessivo::testing
