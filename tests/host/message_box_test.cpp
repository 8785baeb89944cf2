// The style a message box is shown with.
#include <gtest/gtest.h>

#include "platform/message_box.h"

namespace tessivo {
namespace {

TEST(MessageBoxStyle, TaskModalUnlessSystemModal) {
  EXPECT_EQ(MessageBoxStyle(16), 0x2010u);
  EXPECT_EQ(MessageBoxStyle(64), 0x2040u);
  EXPECT_EQ(MessageBoxStyle(0x1010), 0x1010u);
  EXPECT_EQ(MessageBoxStyle(0x2010), 0x2010u);
}

}  // namespace
}  // namespace tessivo
