// Start-up's process services on Win32: OLE for the user-interface thread, the current
// directory.
#pragma once

#include "platform/process.h"

namespace tessivo::win32 {

class Win32Process : public ProcessServices {
 public:
  bool InitializeObjectModel() override;
  void UninitializeObjectModel() override;
  void EnterProgramFolder() override;
};

}  // namespace tessivo::win32
