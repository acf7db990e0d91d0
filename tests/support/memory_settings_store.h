#pragma once
// A settings store in memory, for tests: what was written, keyed by name.
#include <map>
#include <string>

#include "app/settings_store.h"

class MemorySettingsStore : public SettingsStore {
 public:
  std::map<std::string, SettingValue> values;

  std::optional<SettingValue> read(const SettingInfo& info) override {
    const auto it = values.find(info.name);
    if (it == values.end()) return std::nullopt;
    // A value of another type than the table's counts as missing.
    const SettingType stored = std::holds_alternative<int32_t>(it->second) ? SettingType::Integer
                               : std::holds_alternative<bool>(it->second) ? SettingType::Boolean
                                                                          : SettingType::Text;
    if (stored != info.type) return std::nullopt;
    return it->second;
  }
  void write(const SettingInfo& info, const SettingValue& value) override { values[info.name] = value; }
};
