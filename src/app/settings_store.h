#pragma once
// The per-user store of the window's options. Read once at start-up, written once when the
// window closes: it is only a snapshot of the option controls, which the logic reads.
#include <optional>

#include "app/settings_table.h"

class App;

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored value, or none when it is missing or cannot be read as the type the table
  // gives it (a control then keeps its default).
  virtual std::optional<SettingValue> read(const SettingInfo& info) = 0;
  virtual void write(const SettingInfo& info, const SettingValue& value) = 0;
};

// Copies every stored value into its control, as a user's edit would, in table order: size
// and position come before the window state, so a maximised window keeps bounds to return to.
void RegRead(App& app, SettingsStore& store);
// Stores every option. A maximised window stores its state only, keeping the normal bounds
// stored earlier.
void RegWrite(const App& app, SettingsStore& store);
