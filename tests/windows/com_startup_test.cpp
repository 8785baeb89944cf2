// The COM start-up guard leaves a thread's apartment as it found it.
#include "platform/win32/com_startup.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <thread>

#include "platform/win32/http_request_win32.h"

namespace tessivo {
namespace {

using win32::ComStartup;

// Each case runs on a fresh thread: the apartment it enters first (or none), the guard's result,
// and then what entering a multithreaded apartment answers once the guard is gone, which tells
// what the guard left behind.
TEST(ComStartup, UndoesOnlyWhatItDid) {
  struct Case {
    const char* what;
    bool enterFirst;
    DWORD firstModel;
    bool guardSucceeds;
    HRESULT afterwards;
  };
  const Case cases[] = {
      {"no apartment: enters one and leaves it", false, 0, true, S_OK},
      {"single-threaded already: leaves it entered", true, COINIT_APARTMENTTHREADED, true,
       RPC_E_CHANGED_MODE},
      {"multithreaded already: refused, leaves it alone", true, COINIT_MULTITHREADED, false,
       S_FALSE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    bool guardSucceeded = false;
    HRESULT afterwards = E_UNEXPECTED;
    std::thread([&] {
      const bool entered = c.enterFirst && SUCCEEDED(::CoInitializeEx(nullptr, c.firstModel));
      {
        const ComStartup com;
        guardSucceeded = com.Succeeded();
      }
      afterwards = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
      if (SUCCEEDED(afterwards)) ::CoUninitialize();
      if (entered) ::CoUninitialize();
    }).join();
    EXPECT_EQ(guardSucceeded, c.guardSucceeds);
    EXPECT_EQ(afterwards, c.afterwards);
  }
}

TEST(ComStartup, ANestedGuardKeepsTheOuterOneWorking) {
  // The test program's main thread is inside a guard already.
  {
    const ComStartup inner;
    EXPECT_TRUE(inner.Succeeded());
  }
  win32::WinHttpRequestFactory factory;
  EXPECT_NE(factory.Create(), nullptr);
}

}  // namespace
}  // namespace tessivo
