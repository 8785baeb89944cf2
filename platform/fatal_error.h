// The one way the program ends on an internal error it cannot carry on from.
#pragma once

#include <string_view>

namespace tessivo {

class MessageBoxService;

// The box that FatalError shows; start-up installs the real one, tests a fake. Without one,
// the text goes to the standard error stream.
void SetFatalErrorMessageBox(MessageBoxService* box);

// Shows the text in an error message box and, once it is dismissed, ends the process with exit
// code -1.
[[noreturn]] void FatalError(std::string_view text);

}  // namespace tessivo
