// The two share addresses of SyncResultWindow: a ready-made message about the program, offered
// on the Sina and Tencent microblogs, and the percent-encoding that puts its text into them.
#pragma once

#include <string>
#include <string_view>

namespace tessivo::ui {

// Every byte of `utf8` that is not an ASCII character as "%" and two upper-case hexadecimal
// digits; ASCII characters (reserved ones included) stay as they are.
std::string PercentEncode(std::u8string_view utf8);

// Our accounts with the two services.
inline constexpr std::string_view kSinaShareHost = "service.weibo.com";
inline constexpr std::string_view kSinaUserNumber = "2685743190";   // ralateUid: ten digits
inline constexpr std::string_view kTencentShareHost = "share.v.t.qq.com";
inline constexpr std::string_view kTencentAppKey = "801186543";     // nine digits, issued by Tencent
inline constexpr std::string_view kTencentAccount = "tessivo";

// The shared message, in the two forms the services get: they differ only in the exclamation
// mark after "吧", ASCII for Sina and full-width for Tencent.
inline constexpr std::string_view kShareTitleSina =
    "刚刚使用了Tessivo时间同步器同步了系统时间，很给力！如果电脑时间不对，大家也来试试Tessivo时间同步器吧!下载地址：";
inline constexpr std::string_view kShareTitleTencent =
    "刚刚使用了Tessivo时间同步器同步了系统时间，很给力！如果电脑时间不对，大家也来试试Tessivo时间同步器吧！下载地址：";
inline constexpr std::string_view kProductName = "Tessivo时间同步器";

// The same three texts in UTF-8, which is what goes into an address. Our texts are code page
// 936 and the portable code has no converter, so the UTF-8 twins are constants; a u8 literal
// is UTF-8 whatever the execution character set. They are spelled with universal character
// names because the fuzz build compiles a GBK copy of the sources with clang, which rejects a
// u8 literal holding bytes that are not UTF-8. The tests check that each twin is its text.
inline constexpr std::u8string_view kShareTitleSinaUtf8 =
    u8"\u521A\u521A\u4F7F\u7528\u4E86Tessivo\u65F6\u95F4\u540C\u6B65\u5668\u540C\u6B65\u4E86\u7CFB\u7EDF"
    u8"\u65F6\u95F4\uFF0C\u5F88\u7ED9\u529B\uFF01\u5982\u679C\u7535\u8111\u65F6\u95F4\u4E0D\u5BF9\uFF0C"
    u8"\u5927\u5BB6\u4E5F\u6765\u8BD5\u8BD5Tessivo\u65F6\u95F4\u540C\u6B65\u5668\u5427!"
    u8"\u4E0B\u8F7D\u5730\u5740\uFF1A";
inline constexpr std::u8string_view kShareTitleTencentUtf8 =
    u8"\u521A\u521A\u4F7F\u7528\u4E86Tessivo\u65F6\u95F4\u540C\u6B65\u5668\u540C\u6B65\u4E86\u7CFB\u7EDF"
    u8"\u65F6\u95F4\uFF0C\u5F88\u7ED9\u529B\uFF01\u5982\u679C\u7535\u8111\u65F6\u95F4\u4E0D\u5BF9\uFF0C"
    u8"\u5927\u5BB6\u4E5F\u6765\u8BD5\u8BD5Tessivo\u65F6\u95F4\u540C\u6B65\u5668\u5427\uFF01"
    u8"\u4E0B\u8F7D\u5730\u5740\uFF1A";
inline constexpr std::u8string_view kProductNameUtf8 = u8"Tessivo\u65F6\u95F4\u540C\u6B65\u5668";

// The product's page and its picture on the maker's site `site` (scheme and host, no slash).
std::string ProductPageAddress(std::string_view site);
std::string ProductPictureAddress(std::string_view site);

// Plain http: the service's share page with the message, our product page and picture, and our
// account, the keys in the order each service reads them.
std::string SinaShareAddress(std::string_view site);
std::string TencentShareAddress(std::string_view site);

}  // namespace tessivo::ui
