// Building the share addresses of SyncResultWindow.
#include "ui/windows/share_links.h"

#include <utility>

namespace tessivo::ui {
namespace {

constexpr std::string_view kPicturePath = "/time/photo/1.bmp";

// One query: "?" before the first key=value pair, "&" before every other.
class Query {
 public:
  explicit Query(std::string address) : address_(std::move(address)) {}
  Query& Add(std::string_view key, std::string_view value) {
    address_ += first_ ? '?' : '&';
    first_ = false;
    address_.append(key);
    address_ += '=';
    address_.append(value);
    return *this;
  }
  const std::string& Address() const { return address_; }

 private:
  std::string address_;
  bool first_ = true;
};

std::string Http(std::string_view host, std::string_view path) {
  std::string address = "http://";
  address.append(host);
  address.append(path);
  return address;
}

}  // namespace

std::string PercentEncode(std::u8string_view utf8) {
  constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(utf8.size() * 3);
  for (const char8_t byte : utf8) {
    if (byte < 0x80) {
      encoded += static_cast<char>(byte);
    } else {
      encoded += '%';
      encoded += kHexDigits[byte >> 4];
      encoded += kHexDigits[byte & 0x0F];
    }
  }
  return encoded;
}

std::string ProductPageAddress(std::string_view site) {
  std::string address(site);
  address += '/';
  address += PercentEncode(kProductNameUtf8);
  return address;
}

std::string ProductPictureAddress(std::string_view site) {
  std::string address(site);
  address.append(kPicturePath);
  return address;
}

std::string SinaShareAddress(std::string_view site) {
  return Query(Http(kSinaShareHost, "/share/share.php"))
      .Add("url", ProductPageAddress(site))
      .Add("appkey", "")
      .Add("title", PercentEncode(kShareTitleSinaUtf8))
      .Add("pic", ProductPictureAddress(site))
      .Add("ralateUid", kSinaUserNumber)  // the service spells the key so
      .Add("language", "zh_cn")
      .Address();
}

std::string TencentShareAddress(std::string_view site) {
  return Query(Http(kTencentShareHost, "/index.php"))
      .Add("c", "share")
      .Add("a", "index")
      .Add("url", ProductPageAddress(site))
      .Add("appkey", kTencentAppKey)
      .Add("pic", ProductPictureAddress(site))
      .Add("assname", kTencentAccount)
      .Add("title", PercentEncode(kShareTitleTencentUtf8))
      .Address();
}

}  // namespace tessivo::ui
