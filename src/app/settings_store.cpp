#include "app/settings_store.h"

#include <cstring>

#include "app/app.h"

namespace {
constexpr int32_t kMaximised = 2;

bool isBounds(const char* name) {
  for (const char* n : {"Top", "Left", "Width", "Height"})
    if (std::strcmp(name, n) == 0) return true;
  return false;
}
}  // namespace

void RegRead(App& app, SettingsStore& store) {
  for (const SettingInfo& info : settingsTable())
    if (const auto value = store.read(info)) applySetting(app, info, *value);
}

void RegWrite(const App& app, SettingsStore& store) {
  const SettingInfo* state = findSetting("WindowState");
  store.write(*state, getSetting(app, *state));
  const bool maximised = app.ui.window.windowState == kMaximised;
  for (const SettingInfo& info : settingsTable()) {
    if (&info == state || (maximised && isBounds(info.name))) continue;
    store.write(info, getSetting(app, info));
  }
}
