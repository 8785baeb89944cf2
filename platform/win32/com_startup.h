// COM and OLE for the calling thread, for as long as one scope lasts.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace tessivo::win32 {

// Enters a single-threaded apartment with OLE (OleInitialize) and leaves it when the scope
// ends, but only if entering succeeded: a thread that already runs in a multithreaded
// apartment refuses (RPC_E_CHANGED_MODE), and uninitialising then would tear down an
// apartment that belongs to someone else. S_FALSE (already initialised on this thread) counts
// as success and is balanced like S_OK.
class ComStartup {
 public:
  ComStartup() : result_(::OleInitialize(nullptr)) {}
  ~ComStartup() {
    if (SUCCEEDED(result_)) ::OleUninitialize();
  }
  ComStartup(const ComStartup&) = delete;
  ComStartup& operator=(const ComStartup&) = delete;

  bool Succeeded() const { return SUCCEEDED(result_); }
  HRESULT Result() const { return result_; }

 private:
  HRESULT result_;
};

}  // namespace tessivo::win32
