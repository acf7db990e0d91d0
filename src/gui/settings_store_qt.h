#pragma once
// The options store of the window: QSettings under organisation "Corvane Software" and
// application "Quodline" (the registry key of that name on Windows, a per-user INI file
// elsewhere).
#include <QSettings>

#include "app/settings_store.h"

inline constexpr const char* kSettingsOrganisation = "Corvane Software";
inline constexpr const char* kSettingsApplication = "Quodline";

class QtSettingsStore : public SettingsStore {
 public:
  QtSettingsStore() : settings_(kSettingsOrganisation, kSettingsApplication) {}
  std::optional<SettingValue> read(const SettingInfo& info) override;
  void write(const SettingInfo& info, const SettingValue& value) override;
  // Writes what is pending to the disk (also done when the store goes away).
  void flush() { settings_.sync(); }

 private:
  QSettings settings_;
};
