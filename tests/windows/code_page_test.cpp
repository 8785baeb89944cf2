// Our code page 936 texts reach the wide Windows functions unchanged, whatever the system's
// code page.
#include "platform/win32/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace tessivo {
namespace {

TEST(CodePage, TextsConvertBothWays) {
  struct Case {
    std::string text;  // code page 936 bytes: narrow literals are compiled to GBK
    std::wstring wide;
  };
  const Case cases[] = {
      {"", L""},
      {"OK", L"OK"},
      {"时间修改失败，请检查你是否有足够的权限修改本机时间！",
       L"时间修改失败，请检查你是否有足够的权限修改本机时间！"},
      {"同步 2012年3月16日8时5分9秒", L"同步 2012年3月16日8时5分9秒"},
      {"ＡＢＣ１２３　", L"ＡＢＣ１２３　"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(win32::CodePageToWide(win32::kTextCodePage, c.text), c.wide) << c.text;
    EXPECT_EQ(win32::WideToCodePage(win32::kTextCodePage, c.wide), c.text) << c.text;
  }
}

}  // namespace
}  // namespace tessivo
