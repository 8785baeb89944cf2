// Profile files for tests: values by (file, section, key), and a record of every read and write.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/profile.h"

namespace tessivo::testing {

struct ProfileEntry {
  std::string path;
  std::string section;
  std::string key;
  std::string value;  // empty for a read
  friend bool operator==(const ProfileEntry&, const ProfileEntry&) = default;
};

class FakeProfileFiles : public ProfileFiles {
 public:
  std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
  std::vector<ProfileEntry> reads;
  std::vector<ProfileEntry> writes;
  bool writeResult = true;
  std::function<void()> afterRead;  // e.g. another process changing the file between readings

  void Set(std::string_view path, std::string_view section, std::string_view key, std::string_view value) {
    values[{std::string(path), std::string(section), std::string(key)}] = std::string(value);
  }

  std::string ReadString(std::string_view path, std::string_view section, std::string_view key) override {
    reads.push_back({std::string(path), std::string(section), std::string(key), ""});
    const auto found = values.find({std::string(path), std::string(section), std::string(key)});
    std::string value = found == values.end() ? std::string() : found->second;
    if (afterRead) afterRead();
    return value;
  }

  bool WriteString(std::string_view path, std::string_view section, std::string_view key,
                   std::string_view value) override {
    writes.push_back({std::string(path), std::string(section), std::string(key), std::string(value)});
    if (writeResult) Set(path, section, key, value);
    return writeResult;
  }
};

}  // namespace tessivo::testing
