// Profile (INI) files, read and written as code page 936 bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessivo {

// A value is read into a buffer of this many bytes, so at most one byte less comes back.
inline constexpr std::size_t kProfileReadBufferBytes = 10240;

class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;

  // The value of `key` in `section` of the file at `path`, as the platform's profile functions
  // read it (no default, kProfileReadBufferBytes); empty when the file, the section or the key
  // does not exist.
  virtual std::string ReadString(std::string_view path, std::string_view section, std::string_view key) = 0;

  // Stores `value` under `key` in `section`, creating the file and the section when they are
  // missing and replacing an earlier value. The platform's success.
  virtual bool WriteString(std::string_view path, std::string_view section, std::string_view key,
                           std::string_view value) = 0;
};

}  // namespace tessivo
