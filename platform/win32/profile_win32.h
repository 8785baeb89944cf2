// Profile (INI) files on Win32, through the ANSI functions: paths, sections, keys and values
// are code page 936 bytes as stored.
#pragma once

#include "platform/profile.h"

namespace tessivo::win32 {

class Win32ProfileFiles : public ProfileFiles {
 public:
  std::string ReadString(std::string_view path, std::string_view section, std::string_view key) override;
  bool WriteString(std::string_view path, std::string_view section, std::string_view key,
                   std::string_view value) override;
};

}  // namespace tessivo::win32
