// A shell and a registry for tests: scripted results, and a record of what was started and
// written.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "platform/shell.h"

namespace tessivo::testing {

struct ShellCall {
  std::string what;  // "open" or "run"
  UiHandle owner = 0;
  std::string target;
  ShellShow show = ShellShow::Show;
  friend bool operator==(const ShellCall&, const ShellCall&) = default;
};

class FakeShell : public Shell {
 public:
  std::intptr_t openResult = 42;  // above 32: success
  std::intptr_t runResult = 33;
  std::vector<ShellCall> calls;
  std::map<std::string, UiHandle> topLevelWindows;

  std::intptr_t ShellOpen(UiHandle owner, std::string_view target, ShellShow show) override {
    calls.push_back({"open", owner, std::string(target), show});
    return openResult;
  }
  std::intptr_t RunCommandLine(std::string_view commandLine, ShellShow show) override {
    calls.push_back({"run", 0, std::string(commandLine), show});
    return runResult;
  }
  UiHandle FindTopLevelWindow(std::string_view title) override {
    const auto found = topLevelWindows.find(std::string(title));
    return found == topLevelWindows.end() ? 0 : found->second;
  }
};

struct RegistryWrite {
  RegistryRoot root = RegistryRoot::CurrentUser;
  std::string keyPath;
  std::string valueName;
  std::string value;
  friend bool operator==(const RegistryWrite&, const RegistryWrite&) = default;
};

class FakeRegistry : public Registry {
 public:
  // Default values by (root, key path).
  std::map<std::pair<RegistryRoot, std::string>, std::string> defaultValues;
  // Every string value asked to be written, in order, and what the writes report.
  std::vector<RegistryWrite> writes;
  bool writeResult = true;

  bool WriteStringValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                        std::string_view value) override {
    writes.push_back({root, std::string(keyPath), std::string(valueName), std::string(value)});
    return writeResult;
  }

  std::optional<std::string> ReadDefaultValue(RegistryRoot root, std::string_view keyPath) override {
    const auto found = defaultValues.find({root, std::string(keyPath)});
    if (found == defaultValues.end()) return std::nullopt;
    return found->second;
  }
};

}  // namespace tessivo::testing
