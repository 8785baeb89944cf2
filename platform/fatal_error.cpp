// FatalError: an error message box, then exit code -1.
#include "platform/fatal_error.h"

#include <cstdio>
#include <cstdlib>

#include "platform/message_box.h"

namespace tessivo {
namespace {
MessageBoxService* g_fatalErrorBox = nullptr;
}  // namespace

void SetFatalErrorMessageBox(MessageBoxService* box) { g_fatalErrorBox = box; }

void FatalError(std::string_view text) {
  if (g_fatalErrorBox != nullptr) {
    g_fatalErrorBox->ShowMessageBox(text, kMessageBoxIconError, "错误");
  } else {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
  }
  std::exit(-1);
}

}  // namespace tessivo
