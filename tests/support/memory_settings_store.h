#pragma once

#include <map>
#include <optional>
#include <string>
#include <variant>

#include "document/settings.h"

namespace zelmora {

// A settings store in memory that keeps, like the registry, a type with each
// value, so tests can plant values of the wrong type.
class MemorySettingsStore : public SettingsStore {
 public:
  using Value = std::variant<std::string, int>;

  bool Open(bool create) override {
    if (failOpen || (!create && !exists)) return false;
    exists = true;
    return true;
  }
  bool Has(const std::string& name) override { return values.contains(name); }
  std::optional<std::string> ReadString(const std::string& name) override {
    const auto it = values.find(name);
    if (it == values.end() || !std::holds_alternative<std::string>(it->second)) return {};
    return std::get<std::string>(it->second);
  }
  std::optional<int> ReadInt(const std::string& name) override {
    const auto it = values.find(name);
    if (it == values.end() || !std::holds_alternative<int>(it->second)) return {};
    return std::get<int>(it->second);
  }
  std::optional<bool> ReadBool(const std::string& name) override {
    const auto value = ReadInt(name);
    if (!value) return {};
    return *value != 0;
  }
  void WriteString(const std::string& name, const std::string& value) override {
    values[name] = value;
  }
  void WriteInt(const std::string& name, int value) override { values[name] = value; }
  void WriteBool(const std::string& name, bool value) override { values[name] = value ? 1 : 0; }
  bool Flush() override { return !failFlush; }

  std::map<std::string, Value> values;
  bool exists = false;     // whether the key has been created
  bool failOpen = false;   // the key cannot be opened at all
  bool failFlush = false;  // writes do not reach the store
};

}  // namespace zelmora
