// The test program's entry: the thread runs in a single-threaded apartment, like the program's
// user interface thread that drives the request object.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/win32/com_startup.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const tessivo::win32::ComStartup com;
  if (!com.Succeeded()) {
    std::fprintf(stderr, "OleInitialize failed: 0x%08lx\n",
                 static_cast<unsigned long>(com.Result()));
    return 1;
  }
  return RUN_ALL_TESTS();
}
