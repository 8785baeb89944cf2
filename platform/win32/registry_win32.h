// The registry on Win32, through the ANSI functions: keys, names and values are code page 936
// bytes as stored.
#pragma once

#include "platform/registry.h"

namespace tessivo::win32 {

class Win32Registry : public Registry {
 public:
  std::optional<std::string> ReadDefaultValue(RegistryRoot root, std::string_view keyPath) override;
  bool WriteStringValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                        std::string_view value) override;
};

}  // namespace tessivo::win32
