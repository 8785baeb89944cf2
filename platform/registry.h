// The registry, read and written as code page 936 bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessivo {

// Root codes, as stored in the program's tables.
enum class RegistryRoot : int {
  ClassesRoot = 1,
  CurrentConfig = 2,
  CurrentUser = 3,
  LocalMachine = 4,
  Users = 5,
};

// A value read into a buffer of this many bytes, terminating zero included.
inline constexpr std::size_t kRegistryReadBufferBytes = 260;

class Registry {
 public:
  virtual ~Registry() = default;

  // The default value of a key (opened for reading), when it fits the 260-byte buffer;
  // nothing when the key cannot be opened or the value cannot be read.
  virtual std::optional<std::string> ReadDefaultValue(RegistryRoot root, std::string_view keyPath) = 0;

  // Writes `value` as a string value (its bytes and a terminating zero) named `valueName` in
  // the key `keyPath` (empty: the root itself), opening the key for writing or, when that
  // fails, creating it with any missing keys above it. True when the value was written.
  virtual bool WriteStringValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                std::string_view value) = 0;
};

}  // namespace tessivo
