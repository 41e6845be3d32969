#pragma once

#include <memory>
#include <optional>
#include <string>

#include "document/settings.h"

class QSettings;

namespace zelmora {

// The settings store on QSettings. Numbers and booleans are written as
// integers (booleans 1 and 0), so the Windows registry holds them as numbers.
class QtSettingsStore : public SettingsStore {
 public:
  // The current user's store of the program.
  QtSettingsStore();
  // A store in an INI file of its own, so tests never touch the user's.
  explicit QtSettingsStore(const std::string& iniFile);
  ~QtSettingsStore() override;

  bool Open(bool create) override;
  bool Has(const std::string& name) override;
  std::optional<std::string> ReadString(const std::string& name) override;
  std::optional<int> ReadInt(const std::string& name) override;
  std::optional<bool> ReadBool(const std::string& name) override;
  void WriteString(const std::string& name, const std::string& value) override;
  void WriteInt(const std::string& name, int value) override;
  void WriteBool(const std::string& name, bool value) override;
  bool Flush() override;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace zelmora
