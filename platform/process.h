// The services of the process that start-up needs before any window exists: the object model
// of the user-interface thread, and the current directory.
#pragma once

namespace tessivo {

class ProcessServices {
 public:
  virtual ~ProcessServices() = default;

  // Opens the single-threaded apartment of the calling thread with OLE (OleInitialize on
  // Windows), in which the HTTP request object lives. True when the apartment is open for us,
  // also when the thread had opened it before: then one UninitializeObjectModel is owed. False
  // when it could not be opened; nothing is owed then.
  virtual bool InitializeObjectModel() = 0;

  // Closes what one successful InitializeObjectModel opened (OleUninitialize on Windows).
  virtual void UninitializeObjectModel() = 0;

  // Makes the folder that holds the program file the current directory of the process. A
  // failure leaves the current directory as it was; the program goes on.
  virtual void EnterProgramFolder() = 0;
};

}  // namespace tessivo
