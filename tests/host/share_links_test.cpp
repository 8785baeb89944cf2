// The share addresses of SyncResultWindow, byte for byte, and the percent-encoding in them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#if __has_include(<iconv.h>)
#include <iconv.h>
#define TESSIVO_HAVE_ICONV 1
#endif

#include "ui/windows/maker.h"
#include "ui/windows/share_links.h"
#include "ui/windows/sync_result_window.h"

namespace tessivo::ui {
namespace {

// The product name and the two forms of the message, as "%XX" escapes of their UTF-8 bytes.
constexpr const char* kProductEncoded = "Tessivo%E6%97%B6%E9%97%B4%E5%90%8C%E6%AD%A5%E5%99%A8";
#define TESSIVO_TITLE_HEAD                                                                          \
  "%E5%88%9A%E5%88%9A%E4%BD%BF%E7%94%A8%E4%BA%86Tessivo%E6%97%B6%E9%97%B4%E5%90%8C%E6%AD%A5%E5%99" \
  "%A8%E5%90%8C%E6%AD%A5%E4%BA%86%E7%B3%BB%E7%BB%9F%E6%97%B6%E9%97%B4%EF%BC%8C%E5%BE%88%E7%BB%99" \
  "%E5%8A%9B%EF%BC%81%E5%A6%82%E6%9E%9C%E7%94%B5%E8%84%91%E6%97%B6%E9%97%B4%E4%B8%8D%E5%AF%B9%EF" \
  "%BC%8C%E5%A4%A7%E5%AE%B6%E4%B9%9F%E6%9D%A5%E8%AF%95%E8%AF%95Tessivo%E6%97%B6%E9%97%B4%E5%90%8C" \
  "%E6%AD%A5%E5%99%A8%E5%90%A7"
#define TESSIVO_TITLE_TAIL "%E4%B8%8B%E8%BD%BD%E5%9C%B0%E5%9D%80%EF%BC%9A"

TEST(ShareLinks, SinaAddressForOurSite) {
  EXPECT_EQ(SinaShareAddress("http://www.tessivo.com"),
            "http://service.weibo.com/share/share.php"
            "?url=http://www.tessivo.com/Tessivo%E6%97%B6%E9%97%B4%E5%90%8C%E6%AD%A5%E5%99%A8"
            "&appkey="
            "&title=" TESSIVO_TITLE_HEAD "!" TESSIVO_TITLE_TAIL
            "&pic=http://www.tessivo.com/time/photo/1.bmp"
            "&ralateUid=2685743190"
            "&language=zh_cn");
}

TEST(ShareLinks, TencentAddressForOurSite) {
  EXPECT_EQ(TencentShareAddress("http://www.tessivo.com"),
            "http://share.v.t.qq.com/index.php"
            "?c=share"
            "&a=index"
            "&url=http://www.tessivo.com/Tessivo%E6%97%B6%E9%97%B4%E5%90%8C%E6%AD%A5%E5%99%A8"
            "&appkey=801186543"
            "&pic=http://www.tessivo.com/time/photo/1.bmp"
            "&assname=tessivo"
            "&title=" TESSIVO_TITLE_HEAD "%EF%BC%81" TESSIVO_TITLE_TAIL);
}

// The site goes into the product page and the picture, and nowhere else.
TEST(ShareLinks, TheSiteMakesTheProductPageAndPicture) {
  EXPECT_EQ(ProductPageAddress("http://a.test"), std::string("http://a.test/") + kProductEncoded);
  EXPECT_EQ(ProductPictureAddress("http://a.test"), "http://a.test/time/photo/1.bmp");
  for (const std::string& address : {SinaShareAddress("http://a.test"), TencentShareAddress("http://a.test")}) {
    SCOPED_TRACE(address);
    EXPECT_NE(address.find(std::string("url=http://a.test/") + kProductEncoded + "&"), std::string::npos);
    EXPECT_NE(address.find("pic=http://a.test/time/photo/1.bmp"), std::string::npos);
    EXPECT_EQ(address.find("tessivo.com"), std::string::npos);
  }
}

// The links that SyncResultWindow carries are the addresses for our own site.
TEST(ShareLinks, SyncResultWindowLinksToThem) {
  const WindowDefinition window = SyncResultWindowDefinition();
  std::vector<std::string> links;
  for (const ControlDefinition& control : window.controls) {
    if (control.kind == ControlKind::LinkLabel) links.push_back(control.name + " " + control.webAddress);
  }
  EXPECT_EQ(links, (std::vector<std::string>{"超级链接框2 " + SinaShareAddress(kMakerSite),
                                             "超级链接框1 " + TencentShareAddress(kMakerSite)}));
}

struct EncodeCase {
  std::u8string_view text;
  std::string_view encoded;
};

TEST(PercentEncode, NonAsciiBytesAsUpperCaseHexAndAsciiAsItIs) {
  const EncodeCase cases[] = {
      {u8"", ""},
      // Reserved and unsafe ASCII characters are left alone too.
      {u8"azAZ09 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~", "azAZ09 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~"},
      {u8"\x7F", "\x7F"},
      {u8"\u00E9", "%C3%A9"},                      // two bytes; hex letters upper case
      {u8"\uFF01", "%EF%BC%81"},                   // the full-width exclamation mark
      {u8"a\u65F6b", "a%E6%97%B6b"},
      {u8"\U0001F600", "%F0%9F%98%80"},            // four bytes
      {std::u8string_view(u8"\0x", 2), std::string_view("\0x", 2)},  // NUL is ASCII
  };
  for (const EncodeCase& c : cases) {
    SCOPED_TRACE(std::string(c.encoded));
    EXPECT_EQ(PercentEncode(c.text), c.encoded);
  }
  // Every byte from 0x80 to 0xFF, whether or not it makes valid UTF-8.
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    const char8_t raw[] = {static_cast<char8_t>(byte)};
    const std::string encoded = PercentEncode(std::u8string_view(raw, 1));
    char expected[4];
    std::snprintf(expected, sizeof expected, "%%%02X", static_cast<unsigned>(byte));
    EXPECT_EQ(encoded, expected);
  }
}

#ifdef TESSIVO_HAVE_ICONV
// The UTF-8 twins must be the same texts as the code page 936 ones a reader sees in the source.
std::string Cp936ToUtf8(std::string_view text) {
  iconv_t converter = ::iconv_open("UTF-8", "CP936");
  if (converter == reinterpret_cast<iconv_t>(-1)) return "(no CP936 converter)";
  std::string input(text);
  std::string output(text.size() * 3 + 1, '\0');
  char* in = input.data();
  char* out = output.data();
  std::size_t inLeft = input.size();
  std::size_t outLeft = output.size();
  const std::size_t converted = ::iconv(converter, &in, &inLeft, &out, &outLeft);
  ::iconv_close(converter);
  if (converted == static_cast<std::size_t>(-1)) return "(not code page 936)";
  output.resize(output.size() - outLeft);
  return output;
}

std::string Bytes(std::u8string_view text) { return std::string(text.begin(), text.end()); }

TEST(ShareLinks, Utf8TwinsAreTheCodePageTexts) {
  EXPECT_EQ(Cp936ToUtf8(kShareTitleSina), Bytes(kShareTitleSinaUtf8));
  EXPECT_EQ(Cp936ToUtf8(kShareTitleTencent), Bytes(kShareTitleTencentUtf8));
  EXPECT_EQ(Cp936ToUtf8(kProductName), Bytes(kProductNameUtf8));
}
#endif

}  // namespace
}  // namespace tessivo::ui
